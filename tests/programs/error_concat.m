% precision-independent
% vertical concatenation of rows of different lengths
a = [1 2 3];
b = [a; 4 5]
