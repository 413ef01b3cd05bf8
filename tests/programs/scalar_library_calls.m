% inference-checked
% floor, ceil, round, fix, abs, mod, rem, max, min, exp, the trigonometric and hyperbolic
% functions and hypot of scalars computed in loops, assigned to
% scalars and to elements: whole and fractional operands, signs, zero divisors, NaN,
% Inf and operands too large to be counted exactly.
xs = [7 -7 6 -6 7.5 -7.5 0.5 -0.5 2.5 -2.5 0];
ys = [3 -3 0 0.1 -2.5 1e15];
nx = numel(xs);
ny = numel(ys);
m = zeros(nx, ny);
r = zeros(nx, ny);
for i = 1:nx
  for j = 1:ny
    a = xs(i);
    b = ys(j);
    m(i, j) = mod(a, b);
    r(i, j) = rem(a, b);
  end
end
disp(m)
disp(r)
f = zeros(5, nx);
for i = 1:nx
  a = xs(i);
  f(1, i) = floor(a);
  f(2, i) = ceil(a);
  f(3, i) = round(a);
  f(4, i) = fix(a);
  f(5, i) = abs(a);
end
disp(f)
% signs of zero results: 1 ./ x shows them
z = zeros(1, 4);
for k = 1:1
  a = -6;
  z(1) = 1 / mod(a, 3);
  z(2) = 1 / rem(a, 3);
  z(3) = 1 / ceil(-0.5);
  z(4) = 1 / fix(-0.25);
end
disp(z)
% large and special operands
big = 2^45 + 1;
s = 0;
for k = 1:1
  s = mod(big, 7) + rem(-big, 7) * 10;
end
disp(s)
specials = [NaN Inf -Inf];
for k = 1:3
  a = specials(k);
  fprintf('%g %g %g %g %g\n', mod(a, 2), rem(a, 2), mod(5, a), floor(a), abs(a));
end
% max and min of scalars: NaN loses to a number, signed zeros keep their order
vals = [3 -2 NaN 0 -0 Inf];
nv = numel(vals);
mm = zeros(2 * nv, nv);
for i = 1:nv
  for j = 1:nv
    a = vals(i);
    b = vals(j);
    mm(i, j) = 1 / max(a, b);
    mm(nv + i, j) = 1 / min(a, b);
  end
end
disp(mm)
hi = -Inf;
lo = Inf;
for k = 1:7
  x = mod(k * 0.37, 1) - 0.5;
  hi = max(hi, x * 2);
  lo = min(lo, max(x, -0.25)) + 0;
end
fprintf('%.4f %.4f\n', hi, lo);
% the same ties on arrays: a scalar first operand gives way to the second
disp(1 ./ max([0 -0 0 -0], [-0 0 0 -0]))
disp(1 ./ min(0, [-0 0]))
disp(1 ./ max([-0 0], 0))
% nested calls and arithmetic around them, in a while loop
c = 0;
t = 0;
while t < 20
  c = c + mod(floor(t / 3) * 2 + 1, 5) - rem(abs(t - 10), 4);
  t = t + 1;
end
disp(c)
% the sign of a zero result on arrays: mod takes y's, rem takes x's
disp(1 ./ mod([-6 6 -6 0 -0 0.3], [3 -3 -3 -3 3 -0.1]))
disp(1 ./ rem([-6 6 -0 -0.3 0.3], [3 -3 3 0.1 -0.1]))
fprintf('%g %g\n', rem(-6, 3), mod(6, -3));
% exp, sin, cos, tan, atan, sinh, cosh, tanh and hypot of scalars, nested and in arithmetic;
% a zero keeps its sign (1 / sin(-0) is -Inf); NaN and Inf pass through
ws = [0.5 -1.25 3 -0 0 710 -745.5 NaN Inf -Inf];
tr = zeros(numel(ws), 9);
for k = 1:numel(ws)
  w = ws(k);
  tr(k, 1) = exp(w);
  tr(k, 2) = sin(w);
  tr(k, 3) = cos(w);
  tr(k, 4) = tan(w);
  tr(k, 5) = atan(w);
  tr(k, 6) = sinh(w);
  tr(k, 7) = cosh(w);
  tr(k, 8) = 1 / tanh(w);
  tr(k, 9) = hypot(w, -2);
end
fprintf('%.15g %.15g %.15g %.15g %.15g %.15g %.15g %.15g %.15g\n', tr');
acc = 0;
for k = 1:50
  v = k / 7 - 3;
  acc = acc + exp(-abs(v)) * cos(v) - sin(atan(v) * 2) + tanh(sinh(v / 4)) / cosh(v / 5) + hypot(v, exp(v / 9));
end
fprintf('%.12f\n', acc);
% atan2 and sign of scalars: the quadrants, signed zeros (atan2(0, -0) is pi,
% 1 / atan2(-0, 0) is -Inf), infinities and NaN; sign of -0 is 0, of NaN NaN
ys = [1 -1 0 -0 0 -0 Inf -Inf 3 NaN 2];
xs = [-1 -1 -0 -0 0 0 Inf 1 -Inf 1 NaN];
at = zeros(numel(ys), 3);
for k = 1:numel(ys)
  y = ys(k);
  x = xs(k);
  at(k, 1) = atan2(y, x);
  at(k, 2) = 1 / atan2(y, x);
  at(k, 3) = 1 / sign(y) + sign(x) * 10;
end
fprintf('%.15g %.15g %g\n', at');
sg = 0;
for k = -3:3
  sg = sg + sign(k - 0.5) * atan2(k, 2 - k) + sign(-k) / 4;
end
fprintf('%.14f %g\n', sg, sign(NaN * sg));
% sqrt and log of what holds no negative number: counters from 1, squares, abs,
% sums of such; 0, Inf and NaN; a difference that may be negative takes the complex
% result
rt = 0;
for k = 1:20
  d = k - 10.5;
  rt = rt + sqrt(k) / k + log(k) * sqrt(d * d + 1) - log(abs(d)) + sqrt(abs(d) / k);
end
fprintf('%.12f\n', rt);
zs = [-0 0 Inf NaN 2.25];
for k = 1:numel(zs)
  z = abs(zs(k));
  y = -abs(zs(k));
  fprintf('%g %g %g %g\n', 1 / sqrt(y * y), log(z), sqrt(z), log(y * y));
end
ng = 3;
for k = 1:3
  ng = ng - 2;
  cr = sqrt(ng) + log(ng);
  fprintf('%g %g\n', real(cr), imag(cr));
end
% mod by a positive number holds no negative number, whatever its first argument
mv = 0.3;
ml = 0;
for k = 1:30
  mv = mod(mv * 3.7 - 9, 1);
  ml = ml + log(mv + k) + sqrt(mod(-k, 7)) + atan2(mv, -k);
end
fprintf('%.12f\n', ml);
% even powers of any scalar: distances
dist = 0;
for k = 1:12
  dx = k - 6.5;
  dy = 3 - k / 2;
  dist = dist + sqrt(dx^2 + dy^2) + log((dx - dy)^2 + 1);
end
fprintf('%.12f\n', dist);
