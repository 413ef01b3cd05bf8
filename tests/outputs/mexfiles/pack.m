function [c, first] = pack(items)
% A cell in, a cell out, the first element alone.
first = items{1};
c = {items{end}, numel(items), 'packed'};
