function [s, p] = sumprod(v)
  s = sum(v);
  p = prod(v);
end
