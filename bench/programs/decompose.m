% decompose.m: eigenvalues of a symmetric and of a general n x n matrix, the
% eigenvectors of the symmetric one, and singular values and vectors (LAPACK-bound).
n = bench_size();
A = mod((1:n)' * (1:n), 13) / 13 - 0.5 + eye(n);
S = A + A';
e = eig(S);
[V, D] = eig(S);
g = eig(A);
s = svd(A);
[U, T, W] = svd(A);
fprintf('%.6f %.6f %.6f %.6f %.6f\n', sum(e), trace(D), sum(real(g)), sum(s), trace(T));
