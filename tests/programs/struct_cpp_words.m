% precision-independent
% structure fields named like words of C++: new, int, default, class, double
s.new = 1;
s.int = 2;
s.default = 3;
disp(s.new + s.int + s.default)
t.double = 4;
disp(t.double)
u.class = 'x';
u.new.int = 5;
u.new.y = 1;
disp(u.new.int + u.new.y)
disp(u.class)
k = isfield(u, 'new')
m = isfield(u.new, 'int')
% variables named like library functions the translator renames show their own names
keys = {'k1', 'k2'}
values = [1 2]
