% gradient and del2: of vectors, matrices and three-dimensional arrays, with a
% uniform step, a step for each direction, or the coordinates of the samples.
v = [1 4 9 16 25];
g = gradient(v)
g = gradient(v')
g = gradient(v, 2)
g = gradient(v, [0 1 3 4 7])
[gx, gy] = gradient(v)
F = magic(4);
gx = gradient(F)
[gx, gy] = gradient(F)
[gx, gy] = gradient(F, 0.5)
[gx, gy] = gradient(F, 2, 3)
[gx, gy] = gradient(F, [1 2 4 8], [0 1 2 4])
[~, gy] = gradient(F);
disp(gy(2, :))
g = gradient(magic(3), [1 2 4])
g = gradient(5)
g = gradient([])
g = gradient([1 2])
A = reshape((1:24).^2, 2, 3, 4);
[ax, ay, az] = gradient(A)
[ax, ay, az] = gradient(A, 1, 2, 3);
disp(squeeze(ay(1, 2, :))')
disp(squeeze(az(2, 3, :))')
g = gradient(single([1 2 4]))
disp(class(g))
g = gradient(int8([1 2 4]))
g = gradient([1+2i 3 5i])
% del2: the Laplacian over 4 (6 in three dimensions), extended to the edges
L = del2(magic(4))
L = del2([1 4 9 16 25 36])
L = del2([1 4 10])
L = del2([1; 4; 10; 20])
L = del2(magic(4), 2)
L = del2(magic(4), 2, 3)
L = del2(magic(4), [1 2 4 8], [0 1 2 4])
L = del2(A)
L = del2([1 2])
L = del2(5)
% A temperature field: the heat flux is minus the gradient
[x, y] = meshgrid(0:0.5:2, 0:0.5:1);
T = x.^2 + 3 * y;
[qx, qy] = gradient(-T, 0.5);
disp(qx)
disp(qy)
try, [a, b, c] = gradient(magic(3)), catch err, disp(err.message), end
