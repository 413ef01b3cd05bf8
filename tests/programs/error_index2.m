% precision-independent
% a two-index read outside the matrix
A = [1 2; 3 4];
disp(A(1, 2))
A(3, 1)
