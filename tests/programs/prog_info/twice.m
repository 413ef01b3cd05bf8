function [a, b] = twice(x)
  nargoutchk(2, 2)
  a = x;
  b = 2 * x;
end
