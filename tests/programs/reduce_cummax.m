% cummax and cummin: running extremes and where each was first reached
% precision-independent
x = [3 1 4 1 5 9 2 6];
cummax(x)
cummin(x)
% ties keep the index of the first occurrence
[m, k] = cummax([1 3 3 2 3])
[m, k] = cummin([3 1 1 2 1])
[m, k] = cummax([2 2 2])
% NaN are passed over once a number has been seen
[m, k] = cummax([NaN 2 NaN 1 3])
[m, k] = cummin([NaN NaN 2 NaN 1])
[m, k] = cummax([NaN NaN])
[m, k] = cummin([4 -Inf 2 Inf])
% columns, rows, and a third dimension
A = [1 2; 3 0; 2 5];
[m, k] = cummax(A)
[m, k] = cummin(A, 2)
[m, k] = cummax(A, 3)
m = cummin(A')
% the column of a column vector
[m, k] = cummax([2; 7; 1; 7])
