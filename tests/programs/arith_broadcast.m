% precision-independent
% Scalar expansion and the element-wise operators on matrices of every shape.
A = [1 2; 3 4];
a = A + 1
b = 2 - A
c = A .* [10 20; 30 40]
d = A ./ 2
e1 = 2 ./ A
f = A .^ 2
g = 2 .^ A
h = -A
k = A'
m = [] + 1
n = A .\ 8
