function handles_held_outputs
  % [a, b] = h(x) where the handle is a field, a cell element or a returned structure's
  % field: the handle is asked for as many outputs as the statement takes.
  s.f = @(v) max(v);
  [m, i] = s.f([3 9 2]);
  printf('%d %d\n', m, i);
  c = {@(v) min(v), @size, @() deal(1, 2), @(a, b) deal(a + b, a - b)};
  [m, i] = c{1}([3 9 2]);
  printf('%d %d\n', m, i);
  [r, q] = c{2}(ones(2, 3));
  printf('%d %d\n', r, q);
  [x, y] = c{3}();
  printf('%d %d\n', x, y);
  [p, n] = c{4}(5, 3);
  printf('%d %d\n', p, n);
  t = getter();
  [a, b] = t.sz(zeros(4, 5));
  printf('%d %d\n', a, b);
  [u, k] = t.ops{1}([7 1 4]);
  printf('%d %d\n', u, k);
end

function t = getter()
  t.sz = @size;
  t.ops = {@sort};
end
