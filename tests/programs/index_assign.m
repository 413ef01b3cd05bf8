% precision-independent
% assignment into elements, rows and columns; growth with zeros
x = [1 2 3];
x(2) = 20
x(5) = 5
A = zeros(2, 2);
A(1, :) = [1 2]
A(:, 2) = 9
A(3, 3) = 1
B = [];
B(2, 3) = 4
v = [];
for k = 1:4
  v(end + 1) = k * k;
end
v
s = 'abc';
s(2) = 'X'
c = 1:5;
c([1 5]) = 0
c(c == 3) = -1
% [] as a subscript selects nothing: reads give empty shapes, writes change nothing.
X = [1 2 3; 4 5 6];
e1 = size(X([]))
e2 = size(X([], :))
e3 = size(X(:, []))
X([]) = [];
X(:, []) = 5;
X([], :) = [];
X
t = 'hello';
e4 = size(t([]))
% a logical array stays logical when numbers are assigned into it (nonzero is true)
la = true(1, 3); la(2) = 5
lb = [true false]; lb(4) = 2
lc = true(2); lc(:, 1) = [2; 0]
ld = class(lc)
