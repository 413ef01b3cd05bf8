% Logical not inside parentheses, next to element-wise operators and transposes.
x = [1 2 3 4];
e = logical([1 0 1 0]);
y = x.*(~e)
z = (~e).*x
w = 2.^(~x)
b = [true false true false];
X = [5 6 7 8];
v = X(~b)'
q = (~e)'
r = ~x.^2
u = ~e.*x
m = sum(~e) + (~e)*x'
