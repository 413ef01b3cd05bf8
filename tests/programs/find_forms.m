% find with a count and direction, and with row, column and value outputs.
x = [0 3 0 5 7 0];
a = find(x)
b = find(x, 2)
c = find(x, 1, 'last')
A = [0 2; 3 0; 0 4];
k = find(A)
[r, c2] = find(A)
[r3, c3, v] = find(A)
e = find([])
z = find(zeros(1, 3))
zc = find(zeros(3, 1))
l = find(x > 4)
