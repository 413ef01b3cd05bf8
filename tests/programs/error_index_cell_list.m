% a third index on a matrix must be 1
x = zeros(2, 3);
c = {1, 1, 2};
x(c{:})
