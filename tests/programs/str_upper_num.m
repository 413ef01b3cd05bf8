% precision-independent
% Character arithmetic: codes, shifting letters, comparisons with numbers.
a = 'abc' + 1
b = char('abc' + 1)
c = 'a' * 2
d = ['x', 65]
e1 = double('0':'3')
f = 'z' - 'a'
