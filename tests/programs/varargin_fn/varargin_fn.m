% precision-independent
% varargin: optional arguments arrive as a cell
total = addall(1)
total = addall(1, 2)
total = addall(1, 2, 3, 4)
n = countargs()
n = countargs('a', [1 2], {3})
show('label', 10, 20)
