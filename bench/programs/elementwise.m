% elementwise.m: element-wise arithmetic and elementary functions on
% vectors of n elements, repeated ten times.
n = bench_size();
x = linspace(0, 1, n);
acc = zeros(1, 3);
for rep = 1:10
  y = sin(x + rep).^2 + cos(x + rep).^2;
  z = exp(-x) .* sqrt(x + rep) ./ (1 + x.^2);
  w = abs(z - 0.5) + mod(x * rep * 100, 3);
  acc = acc + [sum(y), sum(z), max(w)];
end
fprintf('%.6f %.6f %.6f\n', acc(1) / n, acc(2) / n, acc(3));
