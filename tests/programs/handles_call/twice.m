function y = twice(x)
if nargin == 0
  x = 21;
end
y = 2 * x;
