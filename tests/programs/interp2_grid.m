% interp2 on a grid: meshgrid and vector coordinates, the grid form of the points,
% nearest, the refinement form and a value for points outside.
[X, Y] = meshgrid(1:4, 1:3);
Z = X.^2 + 10*Y;
a = interp2(X, Y, Z, 2.5, 1.5)
b = interp2(Z, [1.5 3.2], [2 2.5])
c = interp2(1:4, [2 4 8], Z, [1 2; 3 4], [2 3; 8 5])
d = interp2(X, Y, Z, 2.5, 1.5, 'nearest')
e = interp2(Z)
f = interp2(X, Y, Z, [1.5; 2.5], [1 3], 'linear', -1)
g = interp2(X, Y, Z, [0 2 5], [1 2 3], 'linear', 0)
h = interp2(Z, 2);
disp(size(h)); disp(h(2, 1:5))
k = interp2([1 2; 3 4] + 1i, 1.5, 1.5)
try
  interp2(Z, [1 2], [1 2 3]);
catch err
  disp(err.message)
end
