% fields in creation order, dynamic field names, nested creation, fields of any class
s.zeta = 1;
s.alpha = int8(5);
s.mid = true;
names = fieldnames(s)
n = 'beta';
s.(n) = 'dyn';
v = s.(n)
s.([n '2']) = single(2.5);
s
a.b.c = 3;
a.b.d = 'x';
a.b.c = a.b.c + 1;
a
t = a.b;
t.c
c = {s, 2};
c{1}.mid
q.list = {1, 'two'};
q.list{3} = 3;
numel(q.list)
q.m = zeros(2);
q.m(2, 2) = 7;
q.m
for k = 1:3
  r.(sprintf('f%d', k)) = k * 10;
end
r
% getfield and setfield along a path of fields and index cells
g.a.b = 5;
g.a.c = 'txt';
v = getfield(g, 'a', 'b') + 1
h = setfield(g, 'a', n, 7)
h = setfield(h, 'a', 'b', h.a.b * 2);
disp(getfield(h, 'a', 'b'))
p(2).k = [4 5 6];
w = getfield(p, {2}, 'k', {3})
p = setfield(p, {1}, 'k', {2}, 9);
disp(p(1).k)
g = setfield(g, 'a', 'c', [getfield(g, 'a', 'c') '!']), x = 1;
