function varargout = counted()
  for k = 1:nargout
    varargout{k} = k * nargout;
  end
end
