function [a, b] = two_out()
fprintf('two nargout=%d\n', nargout);
a = 1; b = 2;
