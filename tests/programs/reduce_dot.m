% dot: inner products of vectors and of matrix columns or rows
% precision-independent
dot([1 2 3], [4 5 6])
dot([1 2 3], [4; 5; 6])
dot([1 2 3]', [4 5 6]')
A = [1 2; 3 4];
B = [5 6; 7 8];
dot(A, B)
dot(A, B, 1)
dot(A, B, 2)
dot(A, B, 3)
dot([1 2], [3 4], 1)
dot(2, 3)
% complex: the first argument is conjugated
dot([1+2i 3], [4 5i])
dot([1i 1], [1i 1])
dot([2i; 1], [3; 1i])
% NaN and Inf propagate
dot([1 NaN], [1 2])
dot([Inf 1], [0 1])
% empty vectors and columns
dot(zeros(1, 0), zeros(1, 0))
dot(zeros(0, 3), zeros(0, 3))
dot(zeros(3, 0), zeros(3, 0))
