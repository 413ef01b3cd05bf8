% c{:} where any number of values may stand takes every element of c, however many:
% in matrix and cell literals and in the functions that take any number of inputs.
c = {'ab', 'cd', 'ef'};
n = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12};
e = {};
x = [c{:}]
y = [n{:}]
z = [0, n{:}, 13]
v = [n{1:3}; 4 5 6]
w = {c{:}}
u = {c{:}, 'gh'}
fprintf('%s\n', c{:});
fprintf('%d,', n{:});
fprintf('\n');
s = sprintf('<%s>', c{:})
h = horzcat(n{:})
t = vertcat(c{:})
q = strcat(c{:})
r = char(c{:})
k = isequal(c{:})
same = {7, 7, 7};
k2 = isequal(same{:})
m = [e{:}]
size(m)
fprintf('%d\n', e{:});
g = {};
g{1} = [1 2];
g{2} = [3; 4];
a = cat(1, g{1}', g{2})
