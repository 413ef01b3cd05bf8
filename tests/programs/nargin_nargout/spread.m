function [first, varargout] = spread(x, varargin)
% The first input, then the others, one output each.
first = x;
for k = 1:nargout - 1
  varargout{k} = varargin{k};
end
end
