function varargout = three(x)
  for k = 1:nargout
    varargout{k} = x * k;
  end
end
