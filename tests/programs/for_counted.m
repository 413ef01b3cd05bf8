% inference-checked
% Loops over ranges whose ends are known only when the program runs: the count is
% fixed when the loop starts, the variable takes each value of the range, and a loop
% that runs no pass leaves the variable the empty range.
n = numel([1 2 3 4 5]);
s = 0;
for k = 1:n
  s = s + k;
end
fprintf('sum %d, k after the loop %d\n', s, k);
% no pass: the variable becomes the empty range (with or without an earlier value)
q = 7;
for q = 1:n-n
  disp('never');
end
disp(size(q))
for r = n:n-1
  disp('never');
end
disp(size(r))
for w = n:-1:n+1
end
disp(size(w))
% negative and fractional steps
c = [];
for k = n:-2:1
  c(end+1) = k;
end
disp(c)
h = 0.5;
t_all = [];
for t = 0:h/5:h
  t_all(end+1) = t;
end
fprintf('%d values, last %.2f\n', numel(t_all), t_all(end));
for t = 1:0.3:n
end
fprintf('t after the loop %.1f\n', t);
% the ends change inside the loop: the count does not
m = 3;
count = 0;
for i = 1:m
  m = m + 1;
  count = count + 1;
end
fprintf('%d passes, m %d\n', count, m);
% the variable assigned inside the body: the next pass takes the next value
total = 0;
for i = 1:4
  i = i * 10;
  total = total + i;
end
fprintf('total %d, i %d\n', total, i);
% break and continue
found = 0;
for i = 2:n*10
  if mod(i, 7) ~= 0
    continue;
  end
  found = i;
  break;
end
fprintf('found %d at i %d\n', found, i);
% nested loops reading and writing arrays element by element
a = zeros(n, n);
for j = 1:n
  for i = 1:n
    a(i, j) = 10 * i + j;
  end
end
b = a;
for j = 2:n-1
  for i = 2:n-1
    b(i, j) = (a(i-1, j) + a(i+1, j) + a(i, j-1) + a(i, j+1)) / 4;
  end
end
disp(b(2:4, 2:4))
disp(a(2, 2))
% a copy made before the loop keeps its values
keep = b;
for i = 1:n
  b(i, i) = -i;
end
fprintf('%g %g\n', keep(3, 3), b(3, 3));
% subscripts counted from the end, and a loop that grows its array
v = zeros(1, 3);
for i = 1:n
  v(i) = n - i + 1;
end
disp(v)
for i = n:-1:1
  v(n - i + 1) = v(i) * 2;
end
disp(v)
% three subscripts
g = zeros(2, 2, 2);
for p = 1:2
  for j = 1:2
    for i = 1:2
      g(i, j, p) = i + 10 * j + 100 * p;
    end
  end
end
disp(g(:)')
% a range made by colon, written in a loop: it becomes an ordinary row
x = 1:n;
for i = 1:2:n
  x(i) = 0;
end
disp(x)
% values that are not whole numbers as subscripts fail as before
y = [10 20 30];
for t = 0.5:1:2.5
  try
    fprintf('%d ', y(t + 0.5));
    fprintf('%d ', y(t));
  catch e
    disp(e.message);
  end
end
% an element beyond the end fails as before
z = zeros(2, 2);
try
  for i = 1:n
    z(i, 1) = z(i + 1, 1) + 1;
  end
catch e
  disp(e.message);
end
disp(z')
