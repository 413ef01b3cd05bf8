% handles.m: an anonymous function of one scalar input called n times in a loop,
% then arrayfun of another over n elements.
n = bench_size();
a = 0.5;
f = @(x) a * x^2 + 1;
s = 0;
for k = 1:n
  s = s + f(k / n);
end
g = @(x) sin(x) + x;
v = arrayfun(g, (1:n) / n);
fprintf('%.6f %.6f\n', s, sum(v));
