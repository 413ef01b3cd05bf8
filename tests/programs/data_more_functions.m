function data_more_functions
% Special matrices, degrees, moving windows, scaling, bytes and input checks, in the
% calling forms programs use.
V = vander([2 3 4])
V2 = vander([1 2 3], 2)
H = hankel([1 2 3])
H2 = hankel([1 2 3], [3 5 6 7])
P = pascal(4)
P1 = pascal(3, 1)
P2 = pascal(3, 2)
C = compan([1 -6 11 -6])
r = sort(eig(C))'
f = fftshift([1 2 3 4 5 6])
g = ifftshift(fftshift([1 2 3 4 5]))
F = fftshift(magic(3))
F2 = fftshift(magic(3), 1)
a = deg2rad([0 90 180])
b = rad2deg(pi/4)
cls = class(deg2rad(single(30)))
s = sind([0 30 90 180 270 -90])
c = cosd([0 60 90 180 270])
t = tand([0 45 135 180])
at = [asind(1) acosd(0) atand(1) atan2d(-1, -1)]
ei = erfinv([0.5 -0.9 0 1])
ec = erfcinv([0.01 1 1.99])
F2d = fft2([1 2; 3 4])
Fp = fft2([1 2 3], 2, 4)
x = [4 8 6 -1 -2 -3 -1 3 4 5];
mm = movmean(x, 3)
ms = movsum(x, [2 0])
mx = movmax(x, 4)
mn = movmin(x, [1 1])
md = movmedian(x, 3)
sd = movstd(x, 3)
mv = movvar(x, 3, 1)
mp = movprod(1:5, 2)
dis = movmean(x, 3, 'Endpoints', 'discard')
fil = movsum(x, 3, 'Endpoints', 'fill')
M = movmean(magic(4), 3, 2)
Mc = movsum(magic(4), [1 0])
R = rescale([2 4 6 10])
R2 = rescale([2 4 6 10], -1, 1)
R3 = rescale(magic(3), 'InputMin', 3, 'InputMax', 7)
Z = zscore([2 4 6 10])
[Z2, mu, sigma] = zscore(magic(3))
Z3 = zscore([1 2; 3 5], 1, 2)
[lo, hi] = bounds([5 -2 9 1])
[lo2, hi2] = bounds(magic(3), 2)
n1 = vecnorm([3 4; 6 8])
n2 = vecnorm([3 4; 6 8], 1, 2)
n3 = vecnorm([3 -4], Inf)
u = typecast(single(1), 'uint32')
w = typecast(uint8([1 0 0 0]), 'uint32')
d = typecast(typecast(pi, 'uint8'), 'double')
k = class(typecast(int16(-1), 'uint16'))
kk = typecast(int16(-1), 'uint16')
sw = swapbytes(uint16([1 256]))
check(5, 'ok');
check(-1, 'negative');
check([1 2 3], 'vector');
check('txt', 'text');
check(2.5, 'fraction');
check(ones(2), 'matrix');
try
  validateattributes(-1, {'numeric'}, {'nonnegative'}, 'myfun', 'count', 2);
catch err
  disp(err.message); disp(err.identifier);
end
try
  validateattributes(3, {'numeric'}, {'<=', 2});
catch err
  disp(err.message);
end
try
  typecast([1 2 3], 'int32x');
catch err
  disp(err.message);
end
try
  movmean(1:3, -1);
catch err
  disp('movmean refused a negative window');
end
end

function check(v, label)
try
  validateattributes(v, {'double'}, {'scalar', 'positive', 'integer'});
  fprintf('%s: accepted\n', label);
catch err
  fprintf('%s: %s (%s)\n', label, err.message, err.identifier);
end
end
