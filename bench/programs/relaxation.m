% relaxation.m: Jacobi relaxation of the Laplace equation on an n x n grid whose
% top edge is held at 1: each sweep computes a new grid from the old one, a double
% loop nest of scalar reads from one matrix and writes into another.
s = bench_size();
n = s(1);
sweeps = s(2);
u = zeros(n, n);
u(1, :) = 1;
v = u;
for sweep = 1:sweeps
  for j = 2:n-1
    for i = 2:n-1
      v(i, j) = 0.25 * (u(i-1, j) + u(i+1, j) + u(i, j-1) + u(i, j+1));
    end
  end
  u = v;
end
fprintf('%.8f %.8f\n', sum(sum(u)), u(3, round(n/2)));
