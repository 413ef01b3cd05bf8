% precision-independent
% index zero is not a valid index
v = [5 6 7];
k = 0;
v(k)
