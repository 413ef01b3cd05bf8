% matmul.m: fifty products of n x n matrices (BLAS-bound).
n = bench_size();
A = mod((1:n)' * (1:n), 13) / 13 - 0.5 + eye(n);
C = A;
for rep = 1:50
  C = A * C;
  C = C / max(max(abs(C)));
end
fprintf('%.6f %.6f\n', sum(sum(C)), C(n, 1));
