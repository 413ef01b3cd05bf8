% Comma lists of structure arrays as outputs and arguments
s = struct('f', {1, 2, 3}, 'name', {'ab', 'cd', 'ef'});
[s.f] = three(10);
disp([s.f])
[s(2:3).f] = three(5);
disp([s.f])
[s(4:5).f] = three(2);
disp(size(s)); disp([s.f]); disp(isempty(s(5).name))
[lead, s(1:2).f] = three(7);
disp(lead); disp([s.f])
q.f = 1;
[q.f] = three(4);
disp(q.f)
[n.a] = three(6);
disp(n)
c = {'x', 'y', 'z', 'u', 'v'};
[s.name] = c{:};
disp({s.name})
[s(1:2).f] = c{4:5};
disp(s(2).f)
t = struct('v', {4, 5, 6});
u = addall(t.v)
w = addall(t(2:end).v)
m = max(t(1:2).v)
h = horzcat(t.v)
cc = cat(1, t.v)
fprintf('%d;', t.v); fprintf('\n');
x = sprintf('%s-', s(1:3).name)
st = strcat(s(1:2).name)
k = cellfun(@numel, {s.name})
r = {t(2:end).v}
nest.in = t;
z = [nest.in.v]
[nest.in.v] = deal(0);
disp([nest.in.v])
% [x, y] = s.v: the outputs take the values of the list in turn
[x, y] = t.v;
disp([x y])
[a1, a2] = t(2:3).v;
disp([a1 a2])
same = struct('v', {[1 2], [1 2]});
e1 = isequal(same.v)
e2 = isequal(t.v)
e3 = isequaln(same(1).v, same.v)
sz = struct('d', {2, 3});
Z = zeros(sz.d)
try, [x, y, z, w] = t.v; catch err, disp(err.message), end
