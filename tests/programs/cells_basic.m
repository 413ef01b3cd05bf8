% precision-independent
% cells: literals, brace and paren indexing, growth, nesting, display
c = {1, 'two', [3 4 5]}
x = c{1}
s = c{2}
v = c{3}
d = c(2)
c{5} = 'five'
numel(c)
e = {}
e{3} = 7
n = {1, {2, 'deep'}}
inner = n{2};
disp(inner{2})
m = {1, 2; 'a', 'b'}
size(m)
w = m{2, 1}
