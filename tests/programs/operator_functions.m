% the functions behind the operators, called by name
% precision-independent
a = [1 2; 3 4];
b = [4 3; 2 1];
p = plus(a, b)
m = minus(a, 1)
t = times(a, b)
q = mtimes(a, b)
r = mrdivide([2 4], 2)
l = mldivide(2, [2 4])
w = power(a, 2)
v = mpower(a, 2)
u = uminus(a)
c = ctranspose([1 2 3])
e = [eq(a, b); ne(a, 2)]
o = [lt(a, 3), le(a, 3); gt(a, 3), ge(a, 3)]
g = and([1 0 1], [1 1 0])
h = or([1 0 0], [0 0 1])
n = not([1 0 2])
x = xor(true, [true false])
