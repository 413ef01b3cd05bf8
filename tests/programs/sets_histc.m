% precision-independent
% histc: bins edges(k) <= x < edges(k+1), the last edge counting only equal values,
% rows and columns, matrices along either dimension, infinite edges, repeated edges,
% bin numbers of each element
n = histc([1 2 2 3 5 7], [0 2 4 6])
n = histc([1 2 2 3 5 7 6], [0 2 4 6])
n = histc([1; 2; 2; 3; 5], [0 2 4])
n = histc([1 2; 3 4; 5 6], [0 3 6])
n = histc([1 2; 3 4; 5 6], [0 3 6], 2)
n = histc([1 2; 3 4; 5 6], [0 3 6], 1)
n = histc([1 NaN 3 -Inf Inf], [-Inf 0 Inf])
[n, idx] = histc([1 2 2 3 5 7], [0 2 4 6])
[n, idx] = histc([1 2; 3 4; 5 6], [0 3 6], 2)
n = histc([1 2 3], 2)
n = histc([1 2 3], [0 1 1 2])
n = histc(5, [0 10])
n = histc([5 6], [0 10], 1)
n = histc('abc', [97 98])
n = histc([true false true], [0 1])
n = histc([0.5 1.5 2.5], [0; 1; 2])
