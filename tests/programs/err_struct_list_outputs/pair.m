function [a, b] = pair(x)
  a = x;
  b = -x;
end
