% inference-checked
% While loops that read and write arrays element by element: sieves, scans and
% growth, copies made before the loop, and errors with their message and line.
n = 60;
isp = ones(1, n);
isp(1) = 0;
p = 2;
while p * p <= n
  if isp(p)
    k = p * p;
    while k <= n
      isp(k) = 0;
      k = k + p;
    end
  end
  p = p + 1;
end
disp(find(isp))
% the condition reads the array the body writes
v = [5 4 3 2 1 0 7];
i = 1;
while v(i) > 0
  v(i) = v(i) * 10;
  i = i + 1;
end
disp(v)
% a copy made before the loop keeps its values
a = [1 2; 3 4];
b = a;
r = 1;
while r <= 2
  b(r, 2) = b(r, 1) + a(r, 2) * 100;
  r = r + 1;
end
disp(a)
disp(b)
% growth inside the loop, then element reads of the grown array
g = zeros(1, 2);
m = 1;
while m <= 5
  g(m) = m * m;
  m = m + 1;
end
disp(g)
s = 0;
m = numel(g);
while m >= 1
  s = s + g(m);
  m = m - 1;
end
fprintf('sum %d\n', s);
% a range value written inside a while loop
q = 1:5;
j = 5;
while j > 0
  q(j) = q(j) - j;
  j = j - 2;
end
disp(q)
% three subscripts, a for loop inside a while loop
c = zeros(2, 2, 2);
t = 1;
while t <= 2
  for u = 1:2
    c(u, u, t) = t * 10 + u;
  end
  t = t + 1;
end
disp(c(:)')
% break and continue
h = zeros(1, 6);
w = 0;
while true
  w = w + 1;
  if w > 6
    break;
  end
  if mod(w, 2) == 0
    continue;
  end
  h(w) = w;
end
disp(h)
% a subscript that is no whole number, and one out of range
ev = [1 2 3];
x = 1;
try
  while x <= 4
    ev(x) = ev(x) + 1;
    x = x + 1;
  end
catch err
  disp(err.message)
end
disp(ev)
y = 0.5;
try
  while y < 2
    z = ev(y);
    y = y + 1;
  end
catch err
  disp(err.message)
end
