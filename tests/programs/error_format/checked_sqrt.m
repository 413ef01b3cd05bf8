function r = checked_sqrt(x)
if x < 0
  error('negative input %d', x);
end
r = sqrt(x);
