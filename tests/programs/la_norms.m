% Norms of vectors and matrices and the condition number.
v = [3 -4 12];
n2 = norm(v)
n1 = norm(v, 1)
ni = norm(v, Inf)
nm = norm(v, -Inf)
A = [1 2; 3 4];
m2 = norm(A)
m1 = norm(A, 1)
mi = norm(A, inf)
mf = norm(A, 'fro')
c = cond(A)
c1 = cond([2 0; 0 1])
ne = norm([])
nz = norm([1+1i, 1-1i])
