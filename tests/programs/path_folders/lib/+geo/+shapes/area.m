function a = area(kind, d)
if strcmp(kind, 'square')
  a = d * d;
else
  a = pi * d^2;
end
fprintf('%s of %g: %g (twice %g)\n', kind, d, a, util.twice(a));
end
