% precision-independent
% an M function whose first of several outputs is a cell: called for one output
% or for all of them
x = pair();
disp(x{2})
[a, b] = pair();
disp(a{1})
disp(b)
