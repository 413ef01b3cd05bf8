% Numbers to text and back: num2str, str2num, str2double, sprintf round trips.
a = str2num('[1 2 3] * 2')
b = str2double('3.25e2')
c = str2double('abc')
d = str2num(num2str(pi, 10)) - pi
f = num2str(-7)
g = num2str([10 200; 3 4])
h = num2str(0.000123)
k = num2str(1.23456789e-10)
m = num2str(12345.678)
n = num2str(-0.1)
