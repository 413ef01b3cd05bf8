function cell_and_matrix_variable
% Variables that hold a matrix or text in one statement and a cell in another.
x = 0;
x = {1, 'two'};
disp(class(x))
names = '';
if numel(x) > 1
  names = {'p', 'qq'};
end
fprintf('%s\n', names{:});
v = {};
v = zeros(2);
disp(v)
w = {3};
w = w{1} * 2;
disp(w)

% An input that is text in one call and a cell in the next.
show('abc');
show({'a', 'bb'});
disp(as_list('one'))
disp(as_list({'x', 'y'}))

% Writing into such a variable: elements, growth, deletion, nested indices.
c = 5;
c = {'x', 'yy', 'zzz'};
c{2} = 'new';
c{end+1} = 'w';
c(1) = [];
c(end+1) = {'q'};
c{2}(1) = 'N';
c
disp(strjoin(sort(c), ','))
disp(ismember('w', c))
u = unique([c, {'q'}]);
fprintf('%d unique\n', numel(u));
for k = 1:numel(c)
  fprintf('[%s]', c{k});
end
fprintf('\n');
c = numel(c) + 1

% A name or a list of names; the list arrives as a value holding a cell.
print_units('m', {'m', 'cm', 'mm'}, [1 100 1000]);
print_units({'cm', 'mm'}, {'m', 'cm', 'mm'}, [1 100 1000]);

% A cell held in a field joins as the cell it is.
s = struct('tags', {{'red', 'big'}});
disp(strjoin(s.tags, '+'))

% regexprep gives text for text and a cell for a cell; cellfun and arrayfun give an
% array unless asked for a cell.
parts = {'key1=val1', 'key2=val2'};
t = regexprep(parts{1}, 'key', 'K');
disp(t)
t = regexprep(parts, 'val', 'V');
fprintf('%s|', t{:}); fprintf('\n');
m = arrayfun(@(k) repmat('x', 1, k), 1:3, 'UniformOutput', false);
disp(m{3})
m = arrayfun(@(k) k * 2, 1:3);
disp(m)
lens = cellfun(@numel, parts);
disp(lens)
lens = cellfun(@(p) p(end:-1:1), parts, 'UniformOutput', false);
disp(lens{2})
st = struct('name', parts, 'len', cellfun(@(p) numel(p), parts, 'UniformOutput', false));
fprintf('%s=%d ', st(2).name, st(2).len); fprintf('%d\n', numel(st));
% Calls of several outputs given such a variable.
y = 0;
y = {'b', 'a', 'c'};
[ys, yi] = sort(y);
fprintf('%s', ys{:}); fprintf(' %d', yi); fprintf('\n');
[tf, loc] = ismember('a', y);
disp([tf loc])
each_item('abc');
each_item({'x', 'yy'});
each_item([3 1 2]);

% A number where a cell is written fails as Octave does.
try
  n = 5;
  n{2} = 3;
catch err
  disp(err.message)
end
end

function show(s)
if iscell(s)
  fprintf('cell of %d, last %s\n', numel(s), s{end});
  t = s(1);
  disp(class(t))
else
  fprintf('text %s\n', s);
end
end

function names = as_list(names)
if ischar(names)
  names = {names};
end
names = strjoin(names, '+');
end

function print_units(which, units, f)
if ischar(which), which = {which}; end
for k = 1:numel(which)
  j = find(strcmp(units, which{k}));
  fprintf('%s: %g\n', which{k}, f(j));
end
end

function each_item(v)
% A loop over an input takes each column: a character, a number or a 1 x 1 cell.
[~, order] = sort(v);
disp(order)
n = 0;
for e = v
  n = n + 1;
  fprintf('%s ', class(e));
end
fprintf('- %d items\n', n);
end
