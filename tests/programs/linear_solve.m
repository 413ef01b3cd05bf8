% linear systems with backslash and slash, matrix powers
A = [4 -2; 1 1];
b = [2; 3];
x = A \ b
y = b' / A
P = A ^ 2
% Octave prints A^0 as a "Diagonal Matrix"; MATLAB prints a full matrix, as
% this library does, so the brackets make Octave's result full too.
Q = [A ^ 0]
r = [2 0; 0 4] \ [2; 8]
ls_fit = [1 1; 1 2; 1 3] \ [1; 2; 2]
