% precision-independent
% Ranges: negative and fractional steps, empty ranges, single elements.
a = 10:-3:1
b = 1:0
c = size(5:1)
d = 2:2
e1 = [-1:0.5:1]
f = 0:-1
g = numel(1:0.1:2)
h = (1:3)'
