% One place in the program reading or writing a field by its literal name meets
% structures whose fields stand in different orders, gain fields, lose them, are
% reordered or shared between copies: each access finds the field of its own value.
a = struct('x', 1, 'y', 2);
b = struct('y', 20, 'x', 10, 'z', 30);
c.z = 300; c.x = 100;
vals = {a, b, c, a, c, b};
total = 0;
for k = 1:numel(vals)
  total = total + get_x(vals{k});
  fprintf('%d ', get_x(vals{k}));
end
fprintf('\ntotal %d\n', total);

% The same place writes into structures of different orders.
for k = 1:numel(vals)
  vals{k} = bump_x(vals{k});
end
fprintf('%d ', cellfun(@get_x, vals));
fprintf('\n');
disp(b)
disp(vals{2})

% A field added in place moves nothing the reads see; rmfield and orderfields make
% new orders for the same names.
p.m = 1;
for k = 1:4
  p.m = p.m + k;
  if k == 2
    p.a = 'new';
  end
  if k == 3
    p = rmfield(p, 'a');
    p.b = k;
    p = orderfields(p);
  end
  fprintf('%d:%d ', k, p.m);
end
fprintf('\n');
p

% Copies share their fields until one is written.
q = p;
q.m = -1;
fprintf('%d %d\n', p.m, q.m);

% Elements of arrays whose fields are in different orders, read and written by index.
s = struct('u', {1, 2, 3}, 'v', {4, 5, 6});
t = struct('v', {40, 50}, 'u', {10, 20});
for k = 1:2
  s(k).v = s(k).v + t(k).u;
  t(k).u = t(k).u + s(k).v;
end
fprintf('%d ', [s.v], [t.u]);
fprintf('\n');
r = s;
r(3).u = 99;
fprintf('%d %d\n', s(3).u, r(3).u);
s(5).u = 7;
fprintf('%d %d %d\n', numel(s), isempty(s(4).v), s(5).u);
