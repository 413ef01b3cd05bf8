% Matrix products, powers, and division on the left and on the right.
A = [2 1; 1 3];
b = [3; 5];
p = A * A
q = A ^ 2
r = A ^ -1
x = A \ b
y = b' / A
z = A ^ 0 + 0
s = 2 ^ [1 0; 0 1]
o = [1 2 3] * [4; 5; 6]
u = [1; 2] * [3 4]
