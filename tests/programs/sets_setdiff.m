% precision-independent
% setdiff: the values of a not in b, in order, a's orientation, the index of each in
% a, NaN kept, char values, and by rows
[c, ia] = setdiff([5 1 3 3 7], [3 8])
[c, ia] = setdiff([5; 1; 3; 3; 7], [3 8])
[c, ia] = setdiff([1 1 3], [2])
c = setdiff([1 2; 3 4], [1])
c = setdiff([NaN 1 NaN], [1 NaN])
c = setdiff('hello', 'l')
c = setdiff([5; 6], [5])
[c, ia] = setdiff([1 2; 3 4; 1 2; 5 6], [3 4], 'rows')
c = setdiff([4 3 2 1], [2 3], 'sorted')
