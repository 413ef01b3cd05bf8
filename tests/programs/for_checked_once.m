% inference-checked
% Innermost loops over whole-number counters whose element accesses are checked once,
% when the loop starts: every result, and every error with its message and line, is
% as when each access is checked on its own.
n = numel([1 2 3 4 5]);
x = (1:n) * 2;
s = 0;
for i = 1:n
  s = s + i * x(i);
end
fprintf('weighted sum %d\n', s);
% read and write the same array, the step before
for i = 2:n
  x(i) = x(i-1) + x(i);
end
disp(x)
% subscripts against the count: literal minus counter, and a negative step
w = zeros(1, n);
for i = 1:n
  w(i) = x(6 - i);
end
disp(w)
for i = n:-2:1
  w(i) = -w(i);
end
disp(w)
% whole literals next to counters, and a copy made before the loop
a = [1 2 3; 4 5 6];
b = a;
for j = 1:3
  b(2, j) = b(1, j) * 10 + a(2, j);
end
disp(a)
disp(b)
% three subscripts
g = zeros(2, 3, 2);
for p = 1:2
  for j = 1:3
    for i = 1:2
      g(i, j, p) = g(i, j, p) + i + 10 * j + 100 * p;
    end
  end
end
disp(squeeze(g(2, :, :))')
% a loop that runs no pass
for q = 1:n-n
  x(q) = 99;
end
disp(size(q))
% writes past the end grow the array
y = [1 2 3 4];
for i = 1:4
  y(i + 1) = y(i) + 1;
end
disp(y)
% a read past the end fails at its statement
z = [1 2 3 4];
try
  for i = 1:5
    t = 2 * z(i);
    z(i) = t;
  end
catch e
  fprintf('%s (line %d)\n', e.message, e.stack(1).line);
end
disp(z)
% a literal row past the end
try
  for j = 1:3
    s = s + a(3, j);
  end
catch e
  disp(e.message);
end
% counters that are not whole numbers, and NaN
try
  for t1 = 1.5:3
    s = s + x(t1);
  end
catch e
  disp(e.message);
end
try
  for t2 = NaN
    s2 = x(t2);
  end
catch e
  disp(e.message);
end
try
  for t3 = 0:2
    s = s + x(t3 + 1) + x(t3);
  end
catch e
  disp(e.message);
end
% a value that is not a scalar
c = [5 6];
try
  for i = 1:2
    c(i) = [1 2];
  end
catch e
  disp(e.message);
end
% an error raised inside the loop tells its own line
try
  for i = 1:n
    x(i) = x(i) + 1;
    if x(i) > 10
      error('too large at %d', i);
    end
  end
catch e
  fprintf('%s (line %d)\n', e.message, e.stack(1).line);
end
disp(x)
% break, continue, and a switch that leaves the loop
for m = 1:n
  if x(m) < 6
    continue;
  end
  x(m) = 0;
  if m == 4
    break;
  end
end
fprintf('%d ', x); fprintf('m %d\n', m);
for m = 1:n
  switch x(m)
    case 0
      break;
    otherwise
      x(m) = x(m) + 100;
  end
end
fprintf('%d ', x); fprintf('m %d\n', m);
% a subscript that is not a counter form keeps the array's ordinary accesses
k = [3 1 2];
v = [10 20 30];
for i = 1:3
  v(i) = v(k(i)) + v(i);
end
disp(v)
