% inference-checked
% Scalars proven real doubles and real double arrays read and written element by
% element, next to variables that only look like them.
n = 6;
a = zeros(n, n);
for j = 1:n
  for i = 1:n
    a(i, j) = i + 10 * j;
  end
end
s = 0;
for k = 1:numel(a)
  s = s + a(k) * mod(k, 3);
end
fprintf('%d %d %g\n', s, a(n, 1), a(end));
% growth goes through the general path
b = [];
for k = 1:4
  b(k) = k^2;
end
b(2, 3) = 7;
disp(b)
% a variable that changes class on one path
t = 1;
if s > 0
  t = 'x';
end
disp(class(t))
% three subscripts, and reads that index with vectors
c = ones(2, 3, 2);
c(2, 3, 2) = 5;
m = c(2, 3, 2) + c(1, 1, 1);
disp(m)
disp(a(2, 2:4))
% a scalar function called with scalars and with a matrix
fprintf('%g %g\n', poly3(2), sum(poly3([1 2])));
% a shown scalar keeps its name
h = n / 4
w = 0;
while w < 5
  w = w + 1.5;
end
disp(w)
% an element out of bounds fails as before
z = a(n + 1, 1);
