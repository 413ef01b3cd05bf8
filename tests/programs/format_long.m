% format long and format short change how later values display; format alone and
% format('short') go back to the short format.
format long
x = pi
y = [1 pi; -2.5 1e-3]
z = 1/3
w = [1 2 3]
v = 1e10*pi
u = single(pi)
q = single([1.5 2.25])
c = 2+3i
o = [1+2i 3.5-1i]
r = 0.1:0.1:0.3
k = int32(7)
n = -0.5
s.a = pi
cc = {pi, 'x'}
disp(pi)
disp([pi 1])
fprintf('%g\n', pi)
num2str(pi)
big = [1e6 pi]
a = [1 0.05]
e = 123456789
f = [123456 7]
h = 1e15
i1 = 99999.5
j = [1.5 NaN Inf]
m = 1e5*pi
t = [100.5 2]
l = [pi; -pi]
format short
x = pi
a = [1 0.05]
format long
x = pi
format
y = pi
format long g
x = pi
format short g
x = pi
format('long')
x = pi
format('short')
x = pi
