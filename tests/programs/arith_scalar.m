% precision-independent
% scalar arithmetic and precedence
a = 7 + 3
b = 7 - 10
c = 6 * 7
d = 7 / 2
e = 2 ^ 10
f = -2 ^ 2
g = (-2) ^ 2
h = 2 + 3 * 4 - 1
k = (2 + 3) * 4
l = 2 ^ 3 ^ 2
m = 10 \ 5
n = -(-3)
o = 1 - - 1
p = 2 ^ -1
