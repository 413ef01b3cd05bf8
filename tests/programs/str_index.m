% precision-independent
% Indexing, slicing and concatenating strings.
s = 'hello world';
a = s(1:5)
b = s(end:-1:1)
c = [s(7:end) ', ' s(1:5)]
d = s([1 1 1])
s(1) = 'H'
e1 = length(s)
f = upper(s(7))
g = ['ab'; 'cd']
h = g(:, 2)'
k = g(2, :)
m = [g, ['x'; 'y']]
