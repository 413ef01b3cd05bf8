function s = addall(first, varargin)
s = first;
for k = 1:length(varargin)
  s = s + varargin{k};
end
