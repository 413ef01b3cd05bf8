function y = power_of(x, n)
if nargin < 2
  n = 2;
end
y = x ^ n;
