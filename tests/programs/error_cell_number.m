% precision-independent
% a cell used as a number
c = {1, 2};
d = c + 1
