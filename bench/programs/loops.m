% loops.m: scalar work in for and while loops, branches and calls of
% built-in functions on scalars; n iterations of each loop.
n = bench_size();
s = 0;
for k = 1:n
  r = mod(k, 7);
  if r > 3
    s = s + r * 0.5;
  elseif r == 0
    s = s - 1;
  else
    s = s + sqrt(k) / k;
  end
end
h = 0;
k = 0;
while k < n
  k = k + 1;
  h = h + 1 / k;
end
fprintf('%.6f %.6f\n', s, h);
