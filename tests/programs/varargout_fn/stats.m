function [m, varargout] = stats(x)
% named outputs before varargout: the call takes any number after them
m = mean(x);
varargout{1} = [min(x) max(x)];
if nargout > 2
  varargout{2} = numel(x);
end
fprintf('nargout=%d\n', nargout);
