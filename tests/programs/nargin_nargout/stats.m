function [s, p] = stats(v)
s = sum(v);
if nargout > 1
  p = prod(v);
  disp('product computed')
end
