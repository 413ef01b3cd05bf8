% subscripts and linear indices, counting nonzeros, flipping, order tests
% precision-independent
k = sub2ind([3 4], 2, 3)
k = sub2ind([3 4], [1 2], [1 4])
k = sub2ind([3 4], [1; 2], [2; 3])
k = sub2ind([3 4 2], 1, 5)
[r, c] = ind2sub([3 4], [5 12])
[r, c, p] = ind2sub([3 4], [2 7])
k = ind2sub([3 4], 7)
[r, c] = ind2sub([2 3 2], 12)
n = nnz([1 0 2; 0 0 3])
n = nnz([])
n = nnz([NaN 0 Inf])
n = nnz('ab ')
x = flip([1 2 3])
x = flip([1 2; 3 4])
x = flip([1 2; 3 4], 2)
x = flip([1; 2; 3], 3)
x = flip('abc')
t = issorted([1 2 2 3])
t = issorted([3 1])
t = issorted([])
t = issorted([1 NaN])
t = issorted([NaN 1])
t = issorted([3 2 2 1], 'descend')
t = issorted([3 2 5], 'either')
t = issorted('abc')
% a cell given as a subscript is refused when the program runs
a = [1 2 3];
try
  b = a(1, {1});
catch err
  disp(err.message)
end
try
  a({2}) = 5;
catch err
  disp(err.message)
end
disp(a)
