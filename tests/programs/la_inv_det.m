% Inverse, determinant, rank and trace: regular, singular, empty, complex.
A = [4 -2 1; 3 6 -4; 2 1 8];
Ai = inv(A)
d = det(A)
r = rank(A)
t = trace(A)
B = [1 2; 2 4];
rb = rank(B)
db = det(B)
C = [1+2i 2; 3 4-1i];
Ci = inv(C)
dc = det(C)
de = det([])
ie = inv([])
s = inv(4)
r0 = rank(zeros(3))
tv = trace(5)
