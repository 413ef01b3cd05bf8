% display of scalars: integers, negatives, fractions, large and small numbers
a = 5
b = -3
c = 0
d = 3.5
e = -0.125
f = 123456
g = 1234567
h = 0.001
k = 1e-10
l = 1e10
m = -2.5e20
n = 100000
o = 99999.5
p = 1/3
q = -2/3
r = 12345.678
