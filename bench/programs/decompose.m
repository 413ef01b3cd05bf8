% decompose.m: eigenvalues of a symmetric and of a general n x n matrix, the
% eigenvectors of the symmetric one, and singular values and vectors (LAPACK-bound),
% five times over so that the process start weighs little.
n = bench_size();
A = mod((1:n)' * (1:n), 13) / 13 - 0.5 + eye(n);
S = A + A';
acc = zeros(1, 5);
for rep = 1:5
  B = A + rep * eye(n);
  T = S + rep * eye(n);
  e = eig(T);
  [V, D] = eig(T);
  g = eig(B);
  s = svd(B);
  [U, Q, W] = svd(B);
  acc = acc + [sum(e), trace(D), sum(real(g)), sum(s), trace(Q)];
end
fprintf('%.6f %.6f %.6f %.6f %.6f\n', acc);
