function n = two_in(a, b)
n = nargin;
