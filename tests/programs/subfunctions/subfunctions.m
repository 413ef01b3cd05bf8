% precision-independent
% function files with subfunctions
r = outer(3)
r = outer(10)
v = normsq([3 4])
