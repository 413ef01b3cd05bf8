% precision-independent
% size in every output form, length, numel, isempty
A = zeros(3, 5);
size(A)
size(A, 1)
size(A, 2)
size(A, 3)
[r, c] = size(A)
[r, c, p] = size(A)
r = size(A)
length(A)
length([])
numel(A)
isempty(A)
isempty([])
isempty(zeros(0, 3))
isempty('')
s = size('abc')
