function struct_in_cells
  % c{k}.f = v where c is a cell by proof, or only when the program runs: a field of a
  % structure, a value returned by a function, an input, an empty matrix.
  items = cell(1, 2);
  items = fill(items);
  disp(items{2}.name)
  printf('%d\n', items{1}.id);
  s.list = {};
  s.list{2}.v = 4;
  disp(s.list{2}.v)
  disp(size(s.list))
  s.list{2}.v = 5;
  s.list{3}.name = 'n';
  disp(s.list{2})
  disp(isempty(s.list{1}))
  r = pick(3);
  r{1}.x = 1;
  disp(r{1}.x)
  v = getfield(s, 'list');
  v{1}.q = 2;
  disp(v{1}.q)
  disp(size(v))
  w = [];
  w{2}.z = 'zz';
  disp(class(w)); disp(w{2}.z)
  disp(renamed({struct('n', 1)}))
  db.rows = {};
  for k = 1:3
    db.rows{k}.id = k * 10;
    db.rows{k}.tags = {'t', k};
  end
  printf('%d ', cellfun(@(e) e.id, db.rows)); printf('\n');
  disp(db.rows{3}.tags{2})
  % c{k}(e).f: an element of a structure array held in a cell, read and assigned
  x = {struct('p', 1), struct('p', {2, 3})};
  disp(x{2}(2).p)
  x{end}(end).p = 30;
  x{2}(1).q = 'new';
  x{1}(2).p = 4;
  y = x{2};
  disp([y.p]); disp(x{2}(1).q); disp(size(x{1}))
  z.cells = {struct('v', {5, 6})};
  printf('%d\n', z.cells{1}(2).v + numel(x));
  % [c{k}.f], {c{k}.f}: the field of every element of the structure array in c{k}
  k = 2;
  disp([x{k}.p]); disp({x{k}.p}); disp([z.cells{1}.v])
  disp([x{2}(1:2).p; x{2}.p]); disp([x{1}.p])
  disp(max([x{k}.p])); disp(numel({z.cells{end}.v}))
  % [f(x).a]: the field of every element of the structure array a function gives
  disp([records(3).id]); disp({records(2).id})
  disp(min(records(2).id)); disp(sum([records(k + 1).id] * 2))
end

function r = records(n)
  r = struct('id', num2cell(10 * (1:n)));
end

function c = fill(c)
  for k = 1:numel(c)
    c{k}.name = sprintf('item%d', k);
    c{k}.id = k;
  end
end

function r = pick(n)
  r = cell(1, n);
end

function out = renamed(c)
  c{1}.n = 7;
  c{2}.n = 8;
  out = c{1}.n + c{2}.n;
end
