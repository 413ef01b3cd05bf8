% sprintf with matrix arguments, mixed conversions and too few arguments.
a = sprintf('%d,', magic(3))
b = sprintf('[%s]', 'ab', 'cd')
c = sprintf('%d %s\n', 1, 'x', 2, 'y')
d = sprintf('%d and %d', 1)
e1 = sprintf('%.3e', 12345)
f = sprintf('%i', -4)
g = sprintf('%u', 7)
h = sprintf('%6.3g|', [pi 1e6 1e-6])
