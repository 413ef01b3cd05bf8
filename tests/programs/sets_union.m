% precision-independent
% union: orientation of the result, where each value was taken from (a before b),
% NaN kept one by one, char and logical values, and by rows
[c, ia, ib] = union([5 1 3], [3 8 1])
[c, ia, ib] = union([5; 1; 3], [3; 8; 1])
[c, ia, ib] = union([5; 1; 3], [3 8 1])
[c, ia, ib] = union([1 1 2], [2 2 0 0])
c = union(5, 6)
c = union(5, [6; 7])
c = union([1 2; 3 4], [1 9])
c = union([NaN 1], [NaN 2])
c = union('abc', 'bcd')
c = union([true false], [true])
[c, ia, ib] = union([1 2; 3 4], [3 4; 0 0], 'rows')
c = union(zeros(0, 3), [1 2])
