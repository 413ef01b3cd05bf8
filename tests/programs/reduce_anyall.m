% precision-independent
% any and all along dimensions, with NaN, empties and complex numbers.
A = [0 1 0; 0 0 0];
a1 = any(A)
a2 = any(A, 2)
b1 = all(A)
b2 = all([1 1; 1 0], 2)
n = any(NaN)
n2 = any([NaN 0 1])
an = all(NaN)
e1 = any([])
e2 = all([])
e3 = all(zeros(0, 3))
c = any([0 1i])
v = all([1 2 3])
