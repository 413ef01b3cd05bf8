% precision-independent
% display of empty values of every shape
a = []
b = zeros(0, 3)
c = zeros(3, 0)
d = {}
e = ''
f = 1:0
disp([])
size(a)
size(b)
