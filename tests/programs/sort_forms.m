% sort ascending and descending, along dimensions, with ties, NaN and indices.
x = [3 1 2 1 NaN 0];
[s, k] = sort(x)
[d, j] = sort(x, 'descend')
A = [3 1; 1 2; 2 0];
c = sort(A)
r = sort(A, 2)
rd = sort(A, 2, 'descend')
t = sort('hello')
e = sort([])
z = sort([1+1i, -1, 0.5])
