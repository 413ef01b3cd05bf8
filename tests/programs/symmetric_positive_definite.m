% Symmetric matrices with a positive diagonal: determinant, inverse and solve.
A = [4 -2 1; -2 4 -2; 1 -2 4];
d = det(A)
X = inv(A)
x = A \ [11; -16; 17]
y = [11 -16 17] / A
K = 2*eye(4) - diag(ones(3,1), 1) - diag(ones(3,1), -1);
det(K)
inv(K)
K \ ones(4, 1)
% Symmetric with a positive diagonal but indefinite: LU, as for any matrix.
S = [1 2; 2 1];
det(S)
inv(S)
S \ [1; 1]
% Gram matrices, as least-squares programs build them.
M = [1 2; 3 4; 5 6];
G = M' * M
det(G)
inv(G)
format long
det(A)
X(3, 1)
format short
% A singular symmetric matrix still warns and gives Inf.
Z = [1 1; 1 1];
inv(Z)
