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
