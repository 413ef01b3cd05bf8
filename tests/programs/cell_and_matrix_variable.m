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
