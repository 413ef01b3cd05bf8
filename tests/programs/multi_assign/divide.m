function [q, r] = divide(a, b)
q = floor(a / b);
r = a - q * b;
