function [a, b] = counts(x, y)
a = nargin;
b = nargout;
