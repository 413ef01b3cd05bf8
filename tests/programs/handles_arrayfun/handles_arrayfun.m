% arrayfun and cellfun with any handle: uniform results of the input's shape, cells
% of results, several inputs and outputs.
a = arrayfun(@(x) x^2 + 1, [1 2; 3 4])
b = arrayfun(@(x) x > 2, 1:4)
class(b)
c = arrayfun(@(n) 1:n, 1:3, 'UniformOutput', false)
[mx, ix] = arrayfun(@(k) max([k 5 1]), [1 7 3])
s = arrayfun(@(x, y) x * 10 + y, [1 2 3], [4 5 6])
n = cellfun(@(v) numel(v), {1:3, [], 'abcd'})
u = cellfun(@(v) [v v], {1, 'ab'}, 'UniformOutput', false)
w = cellfun(@(p, q) p + q, {1, 2}, {10, 20})
e = cellfun(@isempty, {[], 1, ''})
f = @(t) t * 3;
g = arrayfun(f, 1:3)
t = cellfun(@upper, {'ab', 'cd'}, 'UniformOutput', false)
q = arrayfun(@(x) scale_by(x, 2), [1.5 2.5])
z = arrayfun(@(x) x, zeros(0, 3))
