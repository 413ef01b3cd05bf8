% precision-independent
% sums, products, extremes and tests over vectors and matrix columns
v = [3 1 4 1 5];
sum(v)
prod(v)
cumsum(v)
max(v)
min(v)
mean([1 2 3 4])
any(v > 4)
all(v > 0)
any([0 0])
A = [1 2; 3 4];
sum(A)
prod(A)
max(A)
min(A)
mean(A)
cumsum(A)
max(3, [1 5 2])
min([4 2], [3 3])
all([1 1; 0 1])
sum([])
