% precision-independent
% Built-ins that take optional arguments, with and without them.
a = round(2.567)
b = max([1 5 3])
c = size(ones(2, 3))
d = linspace(0, 1, 3)
e1 = num2str(3)
f = zeros(1, 2)
g = mod(-7, 3)
h = sum([1 2; 3 4], 1)
