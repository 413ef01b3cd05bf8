% bsx.m: bsxfun over a column of n/100 and a row of 100 (n elements each time).
n = bench_size();
a = mod((1:n/100)' * 7919, 10007) / 10007;
b = (1:100) / 100;
t = 0;
for rep = 1:3
  c = bsxfun(@minus, a, b);
  d = bsxfun(@times, c, b);
  t = t + sum(d(:));
end
fprintf('%.6f\n', t);
