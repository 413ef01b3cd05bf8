function c = pack_opts(varargin)
  % The name/value pairs as given.
  c = varargin;
end
