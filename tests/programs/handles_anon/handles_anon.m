% Anonymous functions: captured values are copied when the handle is made; handles
% are called as functions, passed to functions, shown and converted to text.
a = 2;
f = @(x) a*x.^2+1
a = 100;
y = f(3)
g = @(x, y) max(x, y) - y';
z = g([1 5 3], 2)
k = @() 42;
k()
r = apply(f, [1 2])
q = apply(@(t) t/4, 8)
s = func2str(f)
class(f)
isa(f, 'function_handle')
w = feval(f, 0)
compose = @(u) f(u) + k();
compose(1)
v = @(x) [x, x; 1:2]
v(7)
n = @(x) ~x | x ~= 2
disp(n(2))
