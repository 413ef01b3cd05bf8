% var and std: normalisation by n-1 or n, along a dimension
% precision-independent
v = var([1 2 3 4])
var([1 2 3 4], 1)
var([1 2 3 4], [])
s = std([1 2 3 4])
std([1 2 3 4], 1)
std([1 2 3 4]')
A = [1 2; 3 5; 4 9];
var(A)
var(A, 1)
std(A)
std(A, 0, 1)
std(A, 0, 2)
std(A, 1, 2)
var(A, [], 2)
var(A, 0, 3)
std(A, 1, 3)
% one element has no spread
var(5)
std(5, 1)
std([7 7 7])
var([1 2 3], 0, 1)
