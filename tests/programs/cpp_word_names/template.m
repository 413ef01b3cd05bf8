function r = template(a, b)
if nargin < 2
  b = 100;
end
r = a * b;
