% var and std of special values, empties, weights and several dimensions
% precision-independent
var([1 NaN 3])
std([1 Inf 3])
var(NaN)
var(Inf)
std([NaN 1; 2 3])
% complex values: the mean square distance from the mean
var([1+2i 3-1i 2])
std([1+2i 3-1i 2])
std(1+2i)
% empties
var([])
std([])
var(zeros(0, 3))
std(zeros(3, 0))
var(zeros(1, 0))
var([], 0, 1)
var([], 0, 2)
var(zeros(0, 3), 0, 2)
var(zeros(3, 0), 0, 2)
% weights
var([1 2 3], [1 2 1])
var([1 2 3], [0.5 1 1])
var([1 2; 3 4], [1 3])
var([1 2; 3 4], [1 3], 2)
std([1 2 3], [1 1 1])
% all elements
var([1 2; 3 4], 0, [1 2])
var([1 2; 3 4], 0, 'all')
std([1 2; 3 5], 1, [2 1])
% logical values
x = var([true false])
