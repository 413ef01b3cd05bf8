% The g styles choose fixed or e-notation per element, the e styles always write
% e-notation; format compact drops the blank lines of displays and loose restores them.
format short g
x = 5
y = -2.5
z = [-1 NaN Inf]
w = [1e-5 1]
b = [1 1e6 0.5]
r = 123456
q = -0.001234567
u = int8(5)
f = [pi; 100*pi]
disp(pi)
disp([pi 1])
format long g
x = 5
k = 1/3
b = [1 1e6 0.5]
e = 123456789.123
format short e
x = 5
z = [-1 NaN Inf]
m = [1 2; 3 4]
format long e
a = pi
format
format compact
a = 1
b = [1 2; 3 4]
c = {[1 2; 3 4], {2}}
s.x = 1; s.y = [1 2];
s
t = ['ab'; 'cd']
e = []
z = 1:30
disp(b)
disp(c)
st(2).a = 1;
st
format loose
b
format compact
format
b
