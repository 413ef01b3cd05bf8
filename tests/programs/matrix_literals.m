% precision-independent
% matrix literals: rows, columns, concatenation, empty pieces, strings
a = [1, 2, 3]
b = [1 2 3; 4 5 6]
c = [a; a * 2]
d = [a, 4]
e = [[1; 2], [3; 4]]
f = [[], 1, []]
g = [a [] a]
h = ['ab', 'cd']
k = [1 -2]
l = [1 - 2]
m = [a' a']
n = [b; 7 8 9]
