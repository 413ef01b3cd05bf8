% Interpolation, polynomials, filters, grids and matrix functions.
x = [1 2 3 4]; y = [1 4 9 16];
yl = interp1(x, y, [1.5 2.5 5], 'linear', 'extrap')
yn = interp1(x, y, [1.4 2.6], 'nearest')
ys = interp1(x, y, [1.5 3.5], 'spline')
yp = interp1(x, y, [1.5 3.5], 'pchip')
yo = interp1(x, y, [0 2.5 5]); disp(isnan(yo([1 3]))); disp(yo(2))
yv = interp1(x, y, [0 5], 'linear', 0)
yc = interp1([1 2 3], [1 10; 2 20; 3 30], 2.5)
[X, Y] = meshgrid(1:3, 1:2);
Z = X + 10 * Y;
zi = interp2(X, Y, Z, [1.5 2.5], [1.5 1.2])
zi2 = interp2(Z, 2.5, 1.5)
sp = spline(x, y, 2.5)
sp2 = spline([0 1 2 3], [0 0 1 4 9 0], 1.5)
ph = pchip(x, y, [1.5 2.5])
[pfit, S] = polyfit([0 1 2 3], [1 3 7 13], 2);
disp(round(pfit * 1e6) / 1e6); disp(S.df); fprintf('%.6f\n', S.normr);
[p3, S3, mu] = polyfit([10 20 30 40], [1 2 2 4], 1);
fprintf('%.6f ', p3, mu); fprintf('\n');
r = roots([1 -6 11 -6])
r2 = roots([1 0 1])
cv = conv2([1 2; 3 4], [1 1; 1 1])
cvs = conv2([1 2 3; 4 5 6; 7 8 9], [0 1 0; 1 1 1; 0 1 0], 'same')
cvv = conv2([1 2 3; 4 5 6; 7 8 9], [1 1], 'valid')
[yf, zf] = filter(1, [1 -0.5], [1 1 1], 0.5)
yf2 = filter([1 1]/2, 1, [2 4 6 8])
f2 = filter2([1 1; 1 1], [1 2; 3 4])
f3 = filter2([1 2], [1 2 3; 4 5 6], 'valid')
[q, rr] = deconv([1 5 6 1], [1 2])
[X3, Y3, Z3] = meshgrid(1:2, 1:3, 1:2); disp(size(X3)); disp(squeeze(Z3(1, 1, :))')
[A, B] = ndgrid(1:3, 1:2)
cr = cross([1 0 0; 0 1 0], [0 1 0; 0 0 1], 2)
dt = dot([1 2; 3 4], [1 0; 0 1], 2)
n = null([1 1; 1 1]); fprintf('%.6f\n', abs(n));
o = orth([1 1; 1 1]); fprintf('%.6f\n', abs(o));
rk = rank(magic(4))
tr = trace(magic(3))
ex = expm([0 1; 0 0])
sq = sqrtm([4 0; 0 9])
lg2 = logm([1 1; 0 1])
