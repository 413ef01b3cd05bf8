% functions that ask and change structures
s.b = 2;
s.a = 1;
s.c = 'three';
isfield(s, 'a')
isfield(s, 'x')
isfield(s, {'a', 'x', 'c'})
numfields(s)
t = rmfield(s, 'b')
t = rmfield(s, {'a', 'c'});
fieldnames(t)
u = setfield(s, 'd', 4);
u.d
getfield(s, 'c')
o = orderfields(s)
c = struct2cell(s)
f = cell2struct({1; 'x'}, {'num', 'txt'}, 1)
isequal(s, s)
isequal(s, o)
isequal(s, t)
isfield(5, 'a')
x = struct('a', {1, 2});
isequal(x, x)
y = x;
y(2).a = 3;
isequal(x, y)
