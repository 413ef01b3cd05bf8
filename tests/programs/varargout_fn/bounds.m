function varargout = bounds(v)
varargout{1} = min(v);
varargout{2} = max(v);
