% precision-independent
% diag: placing vectors on diagonals, reading diagonals, and diag(v,m,n)
a = diag([1 2 3]) + 0
b = diag([1 2], 1)
c = diag([1; 2], -2)
m = magic(4);
d = diag(m)
e = diag(m, 1)
f = diag(m, -3)
g = size(diag(m, 4))
h = diag([1 2 3; 4 5 6])
k = diag([1 2 3; 4 5 6], -1)
z = diag([])
z2 = size(diag(zeros(0, 3)))
s = diag(5) + 0
s2 = diag(5, 1)
p = diag([1 2], 2, 3) + 0
q = diag([1 2 3], 2, 2) + 0
r = size(diag([1 2], 0, 3))
t = trace(diag([4 5 6]) + 0)
l = islogical(diag([true false]))
