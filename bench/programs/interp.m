% interp.m: interp1 of n points on a table of 1000, linear and by cubic splines.
n = bench_size();
x = linspace(0, 10, 1000);
y = sin(x);
xi = mod((1:n) * 7919, 100003) / 100003 * 10;
a = interp1(x, y, xi);
b = interp1(x, y, xi, 'spline');
fprintf('%.6f %.6f\n', sum(a), sum(b));
