% precision-independent
% Logical indexing: selection, assignment, with matrices and empty results.
x = [5 -3 8 -1 0];
p = x(x > 0)
x(x < 0) = 0
A = magic(3);
b = A(A > 5)'
A(A > 5) = -1
e1 = x(x > 100)
k = x(logical([1 0 1 0 1]))
