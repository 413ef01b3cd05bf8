function [p, q, r] = three_out(x)
p = x;
q = 2 * x;
r = 3 * x;
fprintf('three_out: nargout %d\n', nargout);
