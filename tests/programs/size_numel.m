% precision-independent
% size with outputs and dimensions, numel, length and isempty of every shape.
A = ones(3, 4);
[r, c] = size(A)
s = size(A, 1)
t = size(A, 2)
u = size(A, 3)
n = numel(A)
l = length(A)
l0 = length([])
lz = length(zeros(3, 0))
ie = isempty(zeros(0, 3))
is = isempty('')
ne = isempty(' ')
v = size('text')
w = numel({1, 2, 3})
