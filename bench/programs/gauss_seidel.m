% gauss_seidel.m: Gauss-Seidel sweeps of the Laplace equation on an n x n
% grid whose top edge is held at 1; a triple loop nest with indexed reads
% and writes of one matrix.
n = bench_size();
U = zeros(n, n);
U(1, :) = 1;
for sweep = 1:20
  for j = 2:n-1
    for i = 2:n-1
      U(i, j) = 0.25 * (U(i-1, j) + U(i+1, j) + U(i, j-1) + U(i, j+1));
    end
  end
end
fprintf('%.8f %.8f\n', sum(sum(U)), U(round(n/2), round(n/2)));
