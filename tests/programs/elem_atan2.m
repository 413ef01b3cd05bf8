% precision-independent
% atan2 in every quadrant, on the axes and with infinities.
y = [1 1 -1 -1 0 0 1 -1];
x = [1 -1 1 -1 1 -1 0 0];
a = atan2(y, x)
z = atan2(0, 0)
i1 = atan2(Inf, Inf)
m = atan2([1 2; 3 4], 2)
