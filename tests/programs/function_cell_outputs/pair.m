function [c, n] = pair()
% a cell of names and how many there are
c = {'x', 'y'};
n = numel(c);
