% int64 and uint64 arithmetic beyond 2^53, with MATLAB's saturation and rounding
x = int64(2)^60 + int64(3);
u = uint64(2)^63 + uint64(5);
a = x + 1
b = x - int64(4)
c = x * 3
d = x * 8
e = -x * 9
f = x / 3
g = x / int64(-3)
h = u * 2
k = u - u - 1
l = intmax('int64') - 1
m = intmax('uint64') * 0.5
n = int64(5) * 2.5
o = intmin('int64') - 1
p = -intmin('int64')
q = abs(intmin('int64'))
r = x / 0
s = -x / 0
t = idivide(x, int64(7))
t2 = idivide(x, int64(7), 'floor')
t3 = idivide(x, int64(7), 'ceil')
t4 = idivide(x, int64(7), 'round')
t5 = idivide(-x, int64(7), 'floor')
v = mod(x, int64(1000))
v2 = mod(-x, int64(1000))
v3 = rem(-x, int64(1000))
v4 = mod(u, uint64(10))
w = sign(-x)
y = x .* int64([1 2; -1 -2])
y2 = [x x + 1] + [1 2]
c1 = x == x + 1
c2 = x < x + 1
c3 = x > 2^60
c4 = u >= u
c5 = [x x+1 x+2] ~= x + 1
m1 = max([x x+2 x+1])
[m2, i2] = min([x+5 x+3 x+4])
m3 = max(x, x + 1)
m4 = min(u, u - 1)
so = sort([x+2 x x+1 x+3], 'descend')
[so2, si2] = sort([u+2; u; u+1])
p1 = uint64(3)^40
p2 = int64(-3)^39
p3 = int64(7)^2
