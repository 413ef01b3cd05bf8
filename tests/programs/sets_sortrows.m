% precision-independent
% sortrows: every column, chosen columns, negative columns descending, the order
% vector, ties kept in order, NaN last ascending and first descending
x = [3 1 2; 1 5 6; 3 0 1; 1 5 2];
y = sortrows(x)
[y, k] = sortrows(x, -1)
[y, k] = sortrows(x, [1 -3])
[y, k] = sortrows(x, [2 1])
y = sortrows(x, 3)
t = [2 9; 1 8; 2 7; 1 6];
[y, k] = sortrows(t, 1)
[y, k] = sortrows(t, -1)
n = [NaN 1; 2 3; NaN 0; 1 1];
y = sortrows(n)
y = sortrows(n, -1)
y = sortrows(n, [-1 2])
r = sortrows([3 1 2])
[c, k] = sortrows([3; 1; 2; 1])
names = sortrows(['cab'; 'abc'; 'bca'; 'abb'])
b = sortrows([true false; false true; true true])
[e, k] = sortrows([])
[e, k] = sortrows(zeros(0, 3))
