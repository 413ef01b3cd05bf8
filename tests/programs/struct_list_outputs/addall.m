function r = addall(varargin)
  r = 0;
  for k = 1:numel(varargin)
    r = r + varargin{k};
  end
end
