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
% DIM 0 is the first dimension that is not 1; a fractional DIM is cut to its whole
% part; dimensions beyond the last look at single elements.
X = [1 0 3; 4 5 0];
z1 = any(X, 0)
z2 = all(X, 0)
f1 = any(X, 2.5)
f2 = all(X, 0.2)
h1 = any(X, 1e10)
h2 = all(X, 3)
try, any(X, -1), catch err, disp(err.message), end
