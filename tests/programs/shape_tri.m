% precision-independent
% tril and triu with diagonal offsets, rectangular and empty matrices
m = magic(4);
a = tril(m)
b = triu(m)
c = tril(m, 1)
d = triu(m, -1)
e = tril(m, -2)
f = triu(m, 2)
g = tril(m, 10)
h = triu(m, -10)
r = tril([1 2 3 4; 5 6 7 8])
s = triu([1 2; 3 4; 5 6])
t = triu([1 2; 3 4; 5 6], 1)
z = tril([])
w = size(triu(zeros(0, 3)))
l = islogical(tril(eye(3) > 0))
n = tril([NaN 1; 2 NaN])
