function [t, n] = scale_fields(s, f)
% A structure array in and out: field x scaled in each element, a field added; the
% field names as a cell.
t = s;
for k = 1:numel(s)
  t(k).x = f * s(k).x;
  t(k).label = sprintf('item %d', k);
end
n = fieldnames(t)';
