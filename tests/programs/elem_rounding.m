% precision-independent
% Rounding toward each direction: halves, negatives, NaN, Inf, complex parts.
x = [-2.5 -1.5 -0.5 0.5 1.5 2.5];
r = round(x)
f = floor(x)
c = ceil(x)
t = fix(x)
n = round([NaN Inf -Inf])
z = round(2.5 + 3.5i)
fz = floor(-0.5 - 1.5i)
e = round([])
