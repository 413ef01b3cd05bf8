% histcounts: a number of bins, given edges, bin widths and limits, the automatic
% choice (one bin per integer, Scott's rule), normalizations and the bin of each value.
% The interpreter has no histcounts: the expected output follows the documented rules.
% expected output written by hand
X = [2 3 5 7 11 13 17 19 23 29];
[N, edges] = histcounts(X, 6);
show('N', N); show('edges', edges);
[N, edges] = histcounts(X, 'NumBins', 6);
show('N', N); show('edges', edges);
[N, e, bin] = histcounts([1 2 2 3 5 8 10], [0 2 4 6 10]);
show('N', N); show('bin', bin);
Y = [-1 0 0.5 1 NaN 2 3];
[N, e, bin] = histcounts(Y, [0 1 2]);
show('N', N); show('bin', bin);
show('probability', histcounts(Y, [0 1 2], 'Normalization', 'probability'));
show('cdf', histcounts(Y, [0 1 2], 'Normalization', 'cdf'));
show('countdensity', histcounts(Y, [0 0.5 2], 'Normalization', 'countdensity'));
show('pdf', histcounts(Y, [0 1 2], 'Normalization', 'pdf'));
show('cumcount', histcounts(Y, [0 1 2], 'normalization', 'cumcount'));
I = [0 2 9 2 5 8 7 3 1 9 4 3 5 8 10 0 1 2 9 5 10];
[N, edges] = histcounts(I);
show('N', N); show('edges', edges);
[N, edges] = histcounts(I, 'BinMethod', 'integers');
show('N', N); show('edges', edges);
[N, edges] = histcounts([0.5 1.2 3.7 4.1], 'BinWidth', 2);
show('N', N); show('edges', edges);
[N, edges] = histcounts(1:10, 4, 'BinLimits', [2 6]);
show('N', N); show('edges', edges);
[N, edges] = histcounts([0.1 0.4 0.35 0.8 0.95 0.5]);
show('N', N); show('edges', edges);
[N, edges] = histcounts([3 3 3], 2);
show('N', N); show('edges', edges);
[N, edges] = histcounts([]);
show('N', N); show('edges', edges);
[N, edges] = histcounts([], 3);
show('N', N); show('edges', edges);
[N, e, bin] = histcounts([1 4; 2 9], [0 5 10]);
size(bin)
show('bin', bin);
N = histcounts([1 1 2 2], [1 2 2 3]);
show('N', N);
N = histcounts(int8([1 2 3 4]), [0 2 4]);
show('N', N);
class(N)
histcounts(X, 0)
