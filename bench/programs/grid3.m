% grid3.m: a three-dimensional array, an n x n x n grid. A triple loop reads and
% writes every element by its three subscripts, then sum along the third dimension
% of a grid of side 2n.
n = bench_size();
A = zeros(n, n, n);
for k = 1:n
  for j = 1:n
    for i = 1:n
      A(i, j, k) = i + 2 * j + 3 * k;
    end
  end
end
for k = 2:n
  for j = 1:n
    for i = 1:n
      A(i, j, k) = A(i, j, k) + 0.5 * A(i, j, k - 1);
    end
  end
end
B = ones(2 * n, 2 * n, 2 * n);
B(1, 1, :) = 2;
S = sum(B, 3);
fprintf('%.6f %.6f %.1f\n', A(n, n, n), sum(A(:)) / numel(A), S(1, 1) + S(end, end));
