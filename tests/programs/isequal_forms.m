% precision-independent
% isequal of numbers, strings, cells, shapes, and NaN (never equal).
a = isequal([1 2 3], [1 2 3])
b = isequal(NaN, NaN)
c = isequal('a', 97)
d = isequal({1, 'x'}, {1, 'x'})
e1 = isequal({1, 'x'}, {1, 'y'})
f = isequal([], [])
g = isequal(zeros(0, 3), [])
h = isequal(1, 1, 1, 2)
