function checkargs(varargin)
  narginchk(1, 2)
  fprintf('%s: %d arguments\n', mfilename, nargin);
end
