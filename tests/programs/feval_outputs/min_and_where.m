function [m, k] = min_and_where(x)
% smallest element and, when asked for, its position
[m, k] = min(x);
if nargout > 1
  k = k + 0;
end
