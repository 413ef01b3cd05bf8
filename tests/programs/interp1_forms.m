% interp1 in the calling forms programs use: the two-input form (x = 1:n), a method
% after the query points with or without x, 'extrap' or a fill value, matrices of
% values, unsorted points, query matrices and points outside with every method.
y = [2 4 8 16];
v = interp1(y, [1.5 2.5 3.5])
v = interp1(y, 2.25, 'nearest')
v = interp1(y', [0 1.5 5], 'linear', 'extrap')
v = interp1(y, [0 1.5 5], 'linear', 0)
v = interp1(y, [1 1.5 4], 'spline')
v = interp1(y, 1.5, 'pchip', 'extrap')
x = [1 2 3];
z = [10 20 30];
q = [0 1.5 4];
v = interp1(x, z, q, 'linear', -1)
v = interp1(x, z, q, [], 'extrap')
v = interp1(x, z, q, 'extrap')
v = interp1(x, z, q, 'nearest', 'extrap')
v = interp1(x, z, q, 'previous', 'extrap')
v = interp1(x, z, q, 'next', 'extrap')
v = interp1(x, z, q, 'previous', 0)
v = interp1(x, z, q, 'next', 0)
v = interp1(x, z, q, 'pchip', 0)
v = interp1(x, z, q, 'cubic', 'extrap')
v = interp1([1 2 3 4], [1 4 9 16], [0 1.5 5], 'spline', 0)
v = interp1([1 2 3 4], [1 4 9 16], [0 1.5 5], 'spline', 'extrap')
v = interp1(x, z, [1.4 2.5 2.6], 'nearest')
M = [1 10; 2 20; 3 30];
v = interp1(M, [1.5 2.5])
v = interp1([1; 2; 3], M, [1.5; 2.5; 9], 'linear', 0)
v = interp1(x, z, [])
v = interp1(x, z, [1.5 NaN]); disp(isnan(v))
v = interp1([3 1 2], [30 10 20], 2.5)
v = interp1(x, z, [1 2; 2.5 3])
v = interp1(x, z, 2.5, '*linear')
v = interp1(1:3, z, 0:0.5:1, 'linear', 'extrap')
v = interp1(0:0.25:1, sin(0:0.25:1), 0.3);
printf('%.6f\n', v);
t = linspace(0, 2, 5);
v = interp1(t, t.^2, [0.1 1.9], 'spline');
printf('%.6f %.6f\n', v);
try
  interp1(x, z, 1.5, 'quadratic')
catch err
  disp(err.message);
end
