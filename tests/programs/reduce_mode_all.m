% [m, f, c] = mode(x): c holds every value that occurs as often as the mode
% precision-independent
[m, f, c] = mode([1 2 2 3 3])
% a matrix: per column
[m, f, c] = mode([1 1; 2 2; 3 1])
% one element, all distinct, a column
[m, f, c] = mode(5)
[m, f, c] = mode([4 3 2 1])
[m, f, c] = mode([3; 1; 2; 1])
% along rows, and along a dimension that reduces nothing
[m, f, c] = mode([1 2; 3 4], 2)
[m, f, c] = mode([1 2; 3 4], 3)
% NaN never equals another NaN: each occurs once
[m, f, c] = mode([1 2 2 NaN NaN 3 3])
[m, f, c] = mode([1 NaN NaN])
[m, f, c] = mode([NaN NaN])
% -0 and 0 are one value; complex values sort by magnitude, then angle
[m, f, c] = mode([-0 0 1])
[m, f, c] = mode([1+1i 2 2 1+1i])
[m, f, c] = mode([2 2 1+1i])
% no rows
[m, f, c] = mode(zeros(3, 0))
% the cell's columns as values
[m, f, c] = mode([5 5 7 7 1]);
v = c{1}'
numel(c)
