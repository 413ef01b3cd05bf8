% Results of operators and element-wise functions written over temporary operands:
% a temporary that shares its elements with a variable must leave the variable as
% it was, and results keep their own class and shape.
x = [1 2 3 4];
y = sin(pass_through(x)) + 1;
disp(x)
z = pass_through(x) .* 2 + pass_through(x);
disp(x), disp(z)
c = {x};
w = c{1} - 1;
disp(c{1}), disp(w)
m = mod(pass_through(x) * 7, 3);
disp(x), disp(m)
r = rem(-(x * 2.5), 2)
k = (x > 2) + 1
class(k)
s = ('ab' + 0) * 2
class(s)
l = (x * 1) >= 3
class(l)
e = (x' - 1) + [10 20]
q = (x - 3) .^ 3
v = abs(sqrt(x - 2.5))
a = floor(x / 3) + ceil(x / 3) + round(x / 3) + fix(-x / 3)
t = exp(log(x * 2)) ./ (x + 0)
n = mod([-7.5 -1e-20 5.5 1e17 -0], 2)
