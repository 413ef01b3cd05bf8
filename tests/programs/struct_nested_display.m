% Structures nested three deep show the innermost fields by extents and kind.
s.a.b.c = 5;
s.a.b.d = 'deep';
s.a.b.e = [1 2 3];
s.a.b.f = {1};
s.a.b.g = true;
s.a.b.h = int8(3);
s.a.b.i.j = 1;
s.a.b.k = 1 + 2i;
s.a.b.l = [];
s.a.b.m = @sin;
s.a.b.n = single(2);
s.a.b.o = struct('x', {1, 2});
s.a.b.p = [true false];
s.a.b.q = uint16([1 2]);
s.a.b.r = [1+1i 2];
s.a.b.t = '';
s.a.b.u = zeros(2, 0, 3);
s
disp(s.a)
% Cells do not count as a level.
c = {struct('a', struct('b', struct('c', 1)))}
w.a.b = struct('c', {1, 2});
w
% Looping over a structure array or a cell held by a variable of any class.
data = struct('id', {1, 2, 3}, 'vals', {[1 2], [3 4 5], []});
tot = 0;
for d = data
  tot = tot + sum(d.vals);
  fprintf('%d ', d.id);
end
fprintf('\n%d\n', tot);
for e = {'x', 'yy'}
  disp(class(e));
  disp(e{1});
end
