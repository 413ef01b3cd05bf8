% One-dimensional interpolation: linear, nearest and spline, outside points.
x = [1 2 3 4];
y = [10 20 15 5];
l = interp1(x, y, [1.5 2.25 4])
n = interp1(x, y, [1.4 2.6 3.5], 'nearest')
s = interp1(x, y, [1.5 2.5 3.5], 'spline')
c = interp1(x', y', [2.5; 3.5])
