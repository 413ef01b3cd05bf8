function n = rest_in(a, b, varargin)
fprintf('nargin %d, varargin %dx%d\n', nargin, size(varargin, 1), size(varargin, 2));
n = nargin;
