% Pseudo-inverse, null space and range of rank-deficient matrices.
A = [1 2; 2 4; 3 6];
P = pinv(A)
N = null([1 1; 1 1]);
check = abs(N' * [1 1]')
O = orth([1 1; 1 1]);
len = norm(O)
p1 = pinv([1 0; 0 0])
ps = pinv(2)
