% precision-independent
% Cell indexing with braces and parentheses, growth and deletion.
c = {1, 'two', [3 4 5]};
a = c{2}
b = c(2)
n = numel(c)
c{5} = 'five';
n2 = numel(c)
e1 = isempty(c{4})
c(2) = [];
n3 = numel(c)
d = c{end}
v = c{2}(2)
% () on a cell gives the shape of the index, as on a matrix.
g = {1, 2, 3; 4, 5, 6};
s1 = size(g([1 2; 3 4]))
s2 = size(g([]))
s3 = size(g(:))
s4 = size(g([1; 2]))
r = {1, 2, 3};
s5 = size(r([1; 2]))
s6 = size(r(zeros(1, 0)))
q = r([]);
s7 = size(q)
