% precision-independent
% zeros, ones and eye in every shape: square, rectangular, empty, negative sizes.
a = zeros(2)
b = ones(2, 3)
c = eye(2, 3) + 0
d = eye(3, 2) + 0
e1 = size(zeros(0, 3))
f = size(ones(-2, 2))
g = size(eye(0))
h = zeros(1, 0)
k = ones([2 1])
m = size(zeros([3 4]))
