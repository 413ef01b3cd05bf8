% A variable given a handle is called like the function; feval takes handles and
% names; cellfun takes a handle of a predicate.
h = @sin;
y = h(1)
g = @twice;
z = g(3) + g(4)
w = apply(@twice, 5)
u = apply(h, 0)
c = cellfun(@isempty, {[], 1, 'a'})
class(h)
h
disp(g)
h = 4;
q = h(1)
