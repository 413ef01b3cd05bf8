function y = scaled(x, factor)
if ~exist('factor', 'var')
  factor = 2;
end
% once given its default it exists
if exist('factor')
  y = x * factor;
else
  y = -1;
end
