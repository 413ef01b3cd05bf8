% precision-independent
% tokens (a cell per match of the group strings), their extents, and named tokens
% as the fields of a structure
t = regexp('x=1, y=22', '(\w)=(\d+)', 'tokens')
second = t{2};
name = second{1}
value = second{2}
te = regexp('x=1, y=22', '(\w)=(\d+)', 'tokenExtents')
n = regexp('key=val', '(?<k>\w+)=(?<v>\w+)', 'names');
k = n.k
v = n.v
[tk, nm] = regexp('2024-06', '(?<year>\d+)-(?<month>\d+)', 'tokens', 'names');
tk
year = nm.year
month = nm.month
d = regexp('date 2024-06', '(?<y>\d{4})-(?<m>\d\d)', 'names');
ym = [d.y '/' d.m]
nt = regexp('one two', '(?<first>\w+)\s(?<second>\w+)', 'tokens')
[s, ~, ext] = regexp('aXbXc', 'X(\w)');
s, ext
p = regexp('key=val', '(?<k>\w+)=(?<v>\w*)', 'names')
p2 = regexp('key=', '(?<k>\w+)=(?<v>\w*)', 'names')
[t3, p3] = regexp('a=1', '(?<key>\w)=(?<value>\d)', 'tokens', 'names')
p4 = regexp('abc', '(?<k>\w)', 'names', 'once')
% several matches make a structure array; none a 0x0 one
m = regexp('a1b2', '(?<l>[a-z])(?<d>\d)', 'names')
m(2)
z = regexp('abc', '(?<x>\d)', 'names')
% the field of every match
r = regexp('a=1,b=2,c=3', '(?<key>\w)=(?<val>\d)', 'names');
keys = {r.key}
vals = [r.val]
r(3)
