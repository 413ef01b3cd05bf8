function report(a, b)
fprintf('called with %d inputs and %d outputs\n', nargin, nargout);
