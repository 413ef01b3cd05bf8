% Handles as values: called where they are held (argument, cell element, returned
% value, global), compared, converted, and asked for several outputs.
global SCALE
SCALE = @(v) 10 * v;
sq = @(x) x.^2;
disp(apply_twice(sq, 3))
disp(apply_twice(@cos, 0))
c = {@sin, @(x) x + 1, sq};
for k = 1:numel(c)
  fprintf('%d: %.4f\n', k, c{k}(0.5));
end
disp(c{2}(10))
m = make_adder(5);
disp(m(1))
disp(class(m))
disp(func2str(m))
disp(scaled(4))
g = sq;
disp(isequal(g, sq))
disp(isequal(@sin, @sin))
disp(isequal(@sin, @cos))
[mx, ix] = feval(@(v) max(v), [3 9 4]);
fprintf('%d %d\n', mx, ix);
top = @(v) max(v);
[a, b] = top([7 2 8 1]);
fprintf('%d %d\n', a, b);
h = str2func('twice');
disp(h(21))
k = @() 42;
disp(k())
z = compose(@(x) x + 1, @(x) 2 * x);
disp(z(5))
disp(isequal(@(x) x.^2, @(x) x.^2))
disp(isequal(@sin, 'sin'))
