% Piecewise polynomials: mkpp with one and several components, unmkpp's five outputs,
% ppval on both sides of the breaks, at the breaks and outside them, the structures of
% spline and pchip with two inputs (two and three points, end slopes, unsorted points,
% a row per component) and ppval of them against the three-input forms.
m = mkpp([0 1 2], [1 2 3; 4 5 6])
[b, c, l, k, d] = unmkpp(m)
v = ppval(m, [0 0.5 1 1.5 2 2.5 -1])
m2 = mkpp([0 1 2 3], [1 2 3 4 5 6 7 8 9 10 11 12], 2)
v = ppval(m2, [0.5 1.5])
v = ppval(m2, 2.5)
s = size(ppval(m2, [0.5 1 1.5; 2 2.5 3]))
s = size(ppval(m2, [0.5; 1.5]))
x = 0:4; y = [1 3 2 5 4];
pp = spline(x, y)
v = ppval(pp, [0.5 1.5 3.7])
w = spline(x, y, [0.5 1.5 3.7])
pq = pchip(x, y)
v = ppval(pq, [0.5 1.5 3.7; -1 4 5])
w = pchip(x, y, [0.5 1.5 3.7; -1 4 5])
p2 = spline([0 1], [2 5])
p3 = spline([0 1 3], [2 5 4])
q2 = pchip([0 1], [2 5])
pc = spline(0:3, [0 1 2 0 1 0])
pm = spline(0:3, [1 4 2 3; 5 1 2 0])
v = ppval(pm, [0.5; 1.5])
su = spline([3 1 2 0], [1 2 3 4])
v = ppval(mkpp([0 1 3], [1 2; 3 4]), [0.5 1 2 3 4 NaN])
v = ppval(mkpp([0 1 2], [1 2; 3 4]), zeros(0, 3))
% Errors: bad structures, bad counts.
bad = {@() mkpp(1, [1 2]), @() mkpp([0 1 2], [1 2 3]), @() ppval(3, 1), ...
       @() ppval(struct('a', 1), 1), @() unmkpp(3), @() spline(1, 1), ...
       @() pchip([1 2 3], [1 2]), @() pchip([1 1 2], [1 2 3])};
for k = 1:numel(bad)
  try
    bad{k}();
  catch err
    disp(err.message);
  end
end
