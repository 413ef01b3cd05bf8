% accum.m: accumarray of n values into 1000 bins, summed and by maximum.
n = bench_size();
k = mod((1:n)' * 7919, 1000) + 1;
v = mod((1:n)' * 104729, 10007) / 10007;
s = accumarray(k, v);
m = accumarray(k, v, [1000 1], @max);
fprintf('%.6f %.6f\n', sum(s), sum(m));
