function varargout = seq3()
for k = 1:nargout
  varargout{k} = 10 * k;
end
if nargout == 0
  varargout{1} = 10;
end
