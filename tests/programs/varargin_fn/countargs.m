function n = countargs(varargin)
n = numel(varargin);
