% precision-independent
% feval asks the named function for as many outputs as its own caller asks for:
% one output of size is the size row, one of find is the linear indices, two inputs
% of max with one output are the element-wise maximum.
%# call size
%# call find
%# call max
%# call sort
%# call min_and_where
a = [3 0 2; 0 5 0];
s = feval('size', a)
[r, c] = feval('size', a)
k = feval('find', a)
[i, j] = feval('find', a)
m = feval('max', [3 1 2], 2)
[m, w] = feval('max', [3 1 7])
[v, p] = feval('sort', [4 2 9 1], 'descend')
feval('max', [1 8 3])
[lo, at] = feval('min_and_where', [6 4 9])
lo = feval('min_and_where', [6 4 9])
