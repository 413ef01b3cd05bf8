% comma lists of a field over a structure array
s = struct('f', {1, 2, 3}, 'name', {'a', 'bb', 'ccc'});
v = [s.f]
n = {s.name}
m = max([s.f])
[s.f] = deal(0);
[s.f]
[s.f] = deal(7, 8, 9);
[s.f]
[s(1:2).f] = deal(-1);
[s.f]
t = struct('w', {});
[t.w]
