% precision-independent
% a matrix product of non-conforming sizes
A = ones(2, 3);
B = ones(2, 3);
C = A * B
