% Eigenvalues and singular values.
S = [2 -1 0; -1 2 -1; 0 -1 2];
e = eig(S)
G = [1 2; 3 4];
g = eig(G)
R = [0 1; -1 0];
z = eig(R)
s = svd([3 0; 4 5])
s2 = svd([1 2 3; 4 5 6])
[V, D] = eig([2 0; 0 3]);
V
d = diag(D)
