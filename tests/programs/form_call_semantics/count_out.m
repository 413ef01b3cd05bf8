function y = count_out()
fprintf('nargout=%d\n', nargout);
y = 1;
