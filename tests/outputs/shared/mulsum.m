function [p, s] = mulsum(a, b)
% The product of two matrices and the sum of all their elements.
p = a * b;
s = sum(a(:)) + sum(b(:));
