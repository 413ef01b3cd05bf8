% builtins.m: the reductions, searches and sorts of the library over n elements,
% each three times.
n = bench_size();
x = mod((1:n) * 7919, 10007) / 10007 - 0.5;
s = 0; c = 0; m = 0; y = 0;
for rep = 1:3
  s = s + sum(x);
  cs = cumsum(x);
  c = c + cs(n);
  k = find(x > 0.25);
  m = m + numel(k);
  z = sort(x);
  y = y + z(floor(n / 2));
end
fprintf('%.6f %.6f %d %.6f\n', s, c, m, y);
