% solve.m: fifty linear solves with an n x n matrix (LAPACK-bound).
n = bench_size();
A = mod((1:n)' * (1:n), 17) / 17 + n * eye(n);
b = (1:n)';
x = b;
for rep = 1:50
  y = x + b;
  x = A \ y;
end
r = A * x - y;
fprintf('%.6f %d\n', sum(x), max(abs(r)) < 1e-6 * n);
