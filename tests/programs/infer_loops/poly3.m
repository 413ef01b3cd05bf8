function y = poly3(x)
% y = x^3 - 2x + 1, by Horner's rule
y = 1;
y = y .* x;
y = y .* x - 2;
y = y .* x + 1;
