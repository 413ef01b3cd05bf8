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
% while loops over a counter, their span fixed when they start: bound and step in
% variables, a fractional bound, strict comparisons, counting down, the step first
wv = zeros(1, 10);
lim = 9.5;
st = 2;
qa = 1;
while qa <= lim
  wv(qa) = wv(qa) + qa;
  qa = qa + st;
end
qb = 10;
while qb > 6.5
  wv(qb) = wv(qb) * 2 + 1;
  qb = qb - 1;
end
qc = 0;
while qc < 5
  qc = qc + 1;
  wv(qc + 5) = wv(11 - qc) - qc;
end
e = 3;
while e >= 1
  e = e - 1;
  wv(e + 1) = -wv(e + 8);
end
disp(wv)
fprintf('%g %g %g %g\n', qa, qb, qc, e);
% a negative step, a bound past the extent, an infinite bound: every access checked,
% the error raised where the subscript leaves the array
f = 4;
neg = -1;
try
  while f <= 5
    wv(f) = f * 100;
    f = f + neg;
  end
catch err
  disp(err.message)
end
qg = 8;
try
  while qg <= 12
    wv(qg - 2) = wv(qg) + 1;
    qg = qg + 1;
  end
catch err
  disp(err.message)
end
qh = 7;
while qh < Inf
  qh = qh + 1;
  if qh > 10
    break;
  end
  wv(qh) = wv(qh - 6) * 2;
end
disp(wv)
