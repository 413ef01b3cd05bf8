% precision-independent
% sum, prod and mean along each dimension, of empty matrices and of scalars.
A = [1 2 3; 4 5 6];
s1 = sum(A)
s2 = sum(A, 2)
s3 = sum(A, 3)
p1 = prod(A)
p2 = prod(A, 2)
m1 = mean(A)
m2 = mean(A, 2)
e1 = sum([])
e2 = sum(zeros(0, 3))
e3 = sum(zeros(3, 0))
e4 = prod([])
s = sum(5)
