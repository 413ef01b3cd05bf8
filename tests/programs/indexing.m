% precision-independent
% reading elements and sub-matrices: linear, two-index, ranges, end, colon, masks
x = [10 20 30 40 50];
x(2)
x(end)
x(2:4)
x(end-1:end)
x([1 3 5])
x(x > 25)
x([1 0 1 0 1] == 1)
A = [1 2 3; 4 5 6; 7 8 9];
A(2, 3)
A(2, :)
A(:, 1)
A(:)'
A(end, end)
A(1:2, 2:3)
A(5)
A([1 3], [1 3])
A(end)
v = A(:, end)'
