% max and min: one, two and three arguments, indices, NaN, ties and complex values.
x = [3 1 4 1 5 9 2 6];
[m, k] = max(x)
[n, j] = min(x)
A = [1 5; 7 2; 3 3];
[cm, ci] = max(A)
rm = max(A, [], 2)
mm = min(A, [], 1)
e = max(A, 4)
w = min(5, [3 8 NaN])
[q, p] = max([NaN 2 NaN 2])
allnan = max([NaN NaN])
c = max([1+1i, -2, 1i])
t = max([])
r = max(zeros(0, 3))
