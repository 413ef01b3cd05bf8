% precision-independent
% Logical operators on matrices, with scalars, empties and NaN.
a = [1 0 2] & [1 1 0]
b = [1 0 2] | [0 0 0]
c = ~[1 0 2]
d = xor([1 0 1], [1 1 0])
e1 = [1 2 3] & 1
f = ~[]
g = 0 | []
h = true & false
k = any([1 0] & [0 1])
l = logical([2 0 -1])
x = xor(1, [0 1; 1 0])
