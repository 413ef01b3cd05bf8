function n = count_extra(first, varargin)
n = exist('varargin', 'var') + numel(varargin);
