function [t, msg, big, z] = roundtrip(x, s)
% Each output of another class than the last: double, char, logical, complex.
if isempty(x)
  error('roundtrip: x must not be empty');
end
t = x';
msg = upper(s);
big = x > 2;
z = x * (1 + 2i);
