function [n, kind, flags] = describe(x)
% Size, class and the logical tests of any value, as a MEX file returns them.
n = size(x);
kind = class(x);
flags = [ischar(x), islogical(x), isreal(x), isempty(x)];
