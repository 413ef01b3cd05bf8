% fields.m: a structure array of n elements filled, read and updated by s(k).f in a
% loop, and a scalar structure's fields read and written by literal names.
n = bench_size();
s = struct('f', {});
for k = 1:n
  s(k).f = k;
end
total = 0;
for k = 1:n
  total = total + s(k).f;
end
for k = 1:n
  s(k).f = s(k).f * 2;
end
p.x = 0;
p.y = 1;
for k = 1:n
  p.x = p.x + k * p.y;
end
fprintf('%d %d %d\n', total, s(n).f, p.x);
