% structures made by struct(): no arguments, name/value pairs, cell values
e = struct()
s = struct('name', 'box', 'size', [2 3], 'tags', {{'a', 'b'}})
u = struct('a', {1, 2, 3})
z = struct('a', {})
w = struct('a', {10; 20}, 'b', 5);
size(w)
w(2).a
w(2).b
class(s)
isstruct(s)
isstruct(5)
disp(s)
disp(u)
p.x = 1;
p.y = 'two';
p.q.r = [1 2; 3 4];
p.q.c = {1, 'x'};
p
% struct of an empty array is an empty structure array of its size; of a structure, itself
e0 = struct([])
e3 = struct(zeros(0, 3))
same = struct(s)
