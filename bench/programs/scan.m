% scan.m: sscanf of a text holding n numbers.
n = bench_size();
t = sprintf('%d ', mod((1:n) * 7919, 10007));
v = sscanf(t, '%d');
fprintf('%d %d\n', numel(v), sum(v));
