% Student grades as engineers write them: structure arrays, sort, unique, ismember,
% regexp tokens, varargin returned as a cell (local function and function file),
% try/switch on identifiers, closures, fieldnames.
students = struct('name', {'Ann', 'Bob', 'Cyd', 'Dee'}, 'score', {91, 67, 78, 85});
scores = [students.score];
[sorted, order] = sort(scores, 'descend');
for k = 1:numel(order)
  st = students(order(k));
  fprintf('%d. %-4s %3d %s\n', k, st.name, st.score, grade(st.score));
end
[u, ~, j] = unique({'b', 'a', 'b', 'c'});
disp(u); disp(j')
[tf, loc] = ismember([2 5 7], [7 2 9]);
disp([tf; loc])
total = 0; k = 0;
while true
  k = k + 1;
  if k > 10, break; end
  if mod(k, 3) == 0, continue; end
  total = total + k;
end
fprintf('total %d\n', total);
tok = regexp('key1=10, key2=20', '(\w+)=(\d+)', 'tokens');
for i = 1:numel(tok)
  fprintf('%s -> %d\n', tok{i}{1}, str2double(tok{i}{2}));
end
[q, r] = divide(17, 5);
fprintf('%d r %d\n', q, r);
v = collect(1, 'two', [3 4]);
classes = cellfun(@class, v, 'UniformOutput', false);
fprintf('%d items, classes: %s\n', numel(v), sprintf('%s ', classes{:}));
try
  check_input(-1);
catch err
  switch err.identifier
    case 'grades:negative'
      fprintf('negative: %s\n', err.message);
    otherwise
      rethrow(err);
  end
end
acc = make_acc();
fprintf('acc %d\n', acc(5));
s.a = 1; s.b = 'text';
fn = fieldnames(s);
for i = 1:numel(fn)
  fprintf('%s: %s\n', fn{i}, num2str(s.(fn{i})));
end
x = linspace(0, 1, 5);
fprintf('%.2f ', x); fprintf('\n');
A = [1 2; 3 4];
fprintf('%g\n', det(A));
disp(A \ [5; 6])
words = {'apple', 'kiwi', 'banana'};
lens = cellfun('length', words);
[~, longest] = max(lens);
fprintf('longest: %s\n', words{longest});
fprintf('%s\n', sprintf('%02d:%02d', 5, 7));
opts = pack_opts('tol', 1e-3, 'maxit', 50);
fprintf('%s=%g ', opts{:}); fprintf('(%s)\n', class(opts));
fprintf('%5.1f|%-5.1f|%+d\n', 3.14159, 2.5, 4);
function g = grade(s)
  if s >= 90
    g = 'A';
  elseif s >= 80
    g = 'B';
  elseif s >= 70
    g = 'C';
  else
    g = 'F';
  end
end
function [q, r] = divide(a, b)
  q = floor(a / b);
  r = a - q * b;
end
function c = collect(varargin)
  c = varargin;
end
function check_input(x)
  if x < 0
    error('grades:negative', 'value %d is negative', x);
  end
end
function f = make_acc()
  base = 10;
  f = @(x) x + base;
end
