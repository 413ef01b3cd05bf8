function [q, r] = operator(n)
q = floor(n / 2);
r = mod(n, 2);
