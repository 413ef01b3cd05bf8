% structure arrays: element fields, growth, deletion, indexing, concatenation
s(2).x = 5;
size(s)
isempty(s(1).x)
s(1).x = 'one';
s(end+1).x = [1 2 3];
numel(s)
length(s)
s
s(3).x
t = s(2:3);
size(t)
t(1).x
m = s([true false true]);
m(2).x
s(2) = [];
numel(s)
s(2).x
a.v = 1;
b.v = 2;
c = [a b];
size(c)
c(2).v
d = [a; b; a];
size(d)
e = struct('v', {});
isempty(e)
e(1).v = 9;
e
g = struct('v', {1, 2});
g(2) = a;
g(2).v
r = repmat(a, 1, 3);
size(r)
r(3).v
for k = 1:4
  p(k).sq = k^2;
  p(k).name = sprintf('n%d', k);
end
p(4)
total = 0;
for k = 1:numel(p)
  total = total + p(k).sq;
end
total
q(2, 2).z = 1;
size(q)
