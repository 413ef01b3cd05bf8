function [a, b] = two_out(x)
a = x;
b = x + 1;
fprintf('two_out: nargout %d\n', nargout);
