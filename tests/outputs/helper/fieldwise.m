function [t, c] = fieldwise(s)
% A structure in; a structure with a field added and a cell out.
t = s;
t.total = sum(s.values);
c = {s.name, numel(s.values); s.values', {}};
