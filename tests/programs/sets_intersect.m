% precision-independent
% intersect: rows, columns and matrices, repeated values (first occurrences in the
% index vectors), NaN never shared, char and logical values, and by rows
[c, ia, ib] = intersect([5 1 3 3 7], [3 5 8 5])
[c, ia, ib] = intersect([5; 1; 3; 3; 7], [3 5 8 5])
[c, ia, ib] = intersect([5; 1; 3], [3; 5])
[c, ia, ib] = intersect([2 2 1], [1 2 2])
c = intersect([1 2; 3 4], [4 1])
c = intersect(5, [5 6])
c = intersect([5 6], [5; 6])
c = intersect([NaN 1 2], [NaN 2])
c = intersect('hello', 'world')
c = intersect([true false], [true])
A = [1 2; 3 4; 5 6; 3 4];
B = [3 4; 7 8; 1 2];
[c, ia, ib] = intersect(A, B, 'rows')
c = intersect([NaN 1; 2 2], [NaN 1; 2 2], 'rows')
