% precision-independent
% find and sort
v = [0 3 0 5 7];
find(v)
find(v > 4)
find([0 0])
[r, c] = find([0 1; 1 0])
sort([3 1 2])
sort([3 1 2], 'descend')
[s, i] = sort([30 10 20])
sort([2 1; 1 2])
sort('hello')
