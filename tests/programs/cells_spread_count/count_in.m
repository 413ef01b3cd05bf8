function n = count_in(a, b, c)
n = nargin;
if nargin >= 2
  fprintf('b = %d\n', b);
end
