% hist.m: counts of n values in 100 bins of given edges and in 50 bins chosen from
% the data. The interpreter used for comparison has no histcounts: it counts with
% histc, its nearest vectorised equivalent, and folds the last edge's count into the
% last bin as histcounts does.
n = bench_size();
x = mod((1:n)' * 7919, 100003) / 1000.03;
edges = 0:1:100;
if exist('OCTAVE_VERSION', 'builtin')
  c = histc(x, edges)';
  c(end - 1) = c(end - 1) + c(end);
  c(end) = [];
  lo = min(x); hi = max(x);
  e2 = linspace(lo, hi, 51);
  c2 = histc(x, e2)';
  c2(end - 1) = c2(end - 1) + c2(end);
  c2(end) = [];
else
  c = histcounts(x, edges);
  c2 = histcounts(x, 50, 'BinLimits', [min(x) max(x)]);
end
fprintf('%d %d %d %d\n', sum(c), c(1), c(end), max(c2));
