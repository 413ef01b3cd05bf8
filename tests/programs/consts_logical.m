% precision-independent
% The constants e, true and false, alone and as filled matrices.
x = e
y = e(2)
z = e(1, 3)
t = true(1, 3)
f = false(2)
g = false(0, 3)
s = size(true(2, 0))
a = true + 1
b = islogical(true(2))
v = islogical(false(1, 2))
