function show_rest(varargin)
  varargin
end
