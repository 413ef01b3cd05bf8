% Grids, two-dimensional convolution and correlation, accumulation by subscripts,
% expansion with a named function, and matrix square roots and logarithms.
X = ndgrid(1:3)
[A, B] = ndgrid(1:2, 1:3)
[A, B] = ndgrid([5 6])
[X, Y] = meshgrid(1:3, 1:2)
a = magic(4);
k = [1 2; 3 4];
c = conv2(a, k)
c = conv2(a, k, 'same')
c = conv2(a, k, 'valid')
c = conv2([1 2 3], [1; 1])
c = conv2([1 2], [1 1], [1 2; 3 4])
c = conv2([1 2], [1 1], [1 2; 3 4], 'same')
c = conv2([1 2; 3 4], [1i 1])
f = filter2([1 1; 0 1], a)
f = filter2([1 2], [1 2 3 4], 'valid')
s = accumarray([1; 2; 1; 4], [10; 20; 30; 40])
s = accumarray([1 1; 2 2; 1 1], [1 2 3])
s = accumarray([1; 3], 1)
s = accumarray([1; 2; 1], [5; 6; 7], [4 1])
s = accumarray([1; 2; 1], [5; 6; 7], [], @max)
s = accumarray([1; 3; 1], [5; 6; 7], [], @min, NaN)
s = accumarray([1; 2; 1; 2], [1; 2; 3; 5], [], @mean)
s = accumarray([2; 2; 1], 1, [3 1], @numel)
s = accumarray([1; 1; 2], [3; 1; 2], [2 1], @prod)
b = bsxfun(@plus, [1 2 3], [10; 20])
b = bsxfun(@minus, magic(3), mean(magic(3)))
b = bsxfun(@times, [1 2], [3; 4])
b = bsxfun(@max, [1 5], [3; 4])
b = bsxfun(@eq, [1 2 3], [1; 2])
r = sqrtm([4 1; 0 9])
r = sqrtm([2 1; 1 2]);
norm(r * r - [2 1; 1 2]) < 1e-12
l = logm([1 1; 0 1])
l = logm([2 1; 1 2]);
norm(expm(l) - [2 1; 1 2]) < 1e-12
r = sqrtm([-4 0; 0 1])
c = conv2([1 2], [1 2], 'wrong')
