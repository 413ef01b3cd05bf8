% precision-independent
% x(c{:}) on a matrix: the elements of c are the indices, read and assigned; ':'
% stands for a whole dimension and indices past the second may be 1.
x = magic(4);
c = {2, 3};
y = x(c{:})
d = {5};
z = x(d{:})
rows = {[1 2], ':'};
r = x(rows{:})
w = zeros(2, 3);
w(c{:}) = 7
c = {1, ':'};
w(c{:}) = 1
k = {4};
w(k{:}) = 5
e = {1, 1, 1};
v = w(e{:})
