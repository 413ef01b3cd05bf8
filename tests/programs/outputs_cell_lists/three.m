function [p, q, r] = three(x)
  p = x; q = x + 1; r = x + 2;
end
