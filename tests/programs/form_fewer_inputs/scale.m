function y = scale(x, k)
if nargin < 2
  k = 2;
end
y = x * k;
