function r = spread(x)
% The distance from the smallest to the largest value of a group.
r = max(x) - min(x);
end
