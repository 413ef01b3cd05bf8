% precision-independent
% cumsum along each dimension and of empty and logical inputs.
A = [1 2 3; 4 5 6];
a = cumsum(A)
b = cumsum(A, 2)
c = cumsum([])
d = cumsum(zeros(0, 3))
e1 = cumsum([true true false])
f = cumsum(1:5)'
g = prod([true false])
