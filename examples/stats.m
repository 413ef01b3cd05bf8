function [m, s] = stats(v)
% STATS  mean and standard deviation of the elements of a vector
n = length(v);
m = sum(v) / n;
d = v - m;
s = sqrt(sum(d .* d) / (n - 1));
