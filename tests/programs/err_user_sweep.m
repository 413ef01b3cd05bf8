function err_user_sweep
% A user's mix of error handling: try in loops left by break, continue and return,
% persistent counters, onCleanup, warnings by identifier, lastwarn and lasterr.
vals = {3, 'x', [1 2], -4, 8};
total = 0;
for k = 1:numel(vals)
  try
    total = total + checked(vals{k});
  catch err
    fprintf('skip %d: %s (%s)\n', k, err.message, err.identifier);
    if k == 4
      break;
    end
    continue;
  end
  fprintf('after %d total %d\n', k, total);
end
fprintf('total %d\n', total);
fprintf('first negative at %d\n', first_bad([2 5 -1 7]));
fprintf('first negative at %d\n', first_bad([2 5 7]));
for k = 1:4
  n = counter();
end
fprintf('counter %d\n', n);
counter('reset');
fprintf('counter %d\n', counter());
use_resource(false);
try
  use_resource(true);
catch err
  fprintf('caught: %s\n', err.message);
end
warning('off', 'Sweep:noisy');
warning('Sweep:noisy', 'you should not see this');
[msg, id] = lastwarn();
fprintf('lastwarn [%s] [%s]\n', msg, id);
warning('on', 'Sweep:noisy');
warning('Sweep:other', 'shown %d', 5);
[msg, id] = lastwarn();
fprintf('lastwarn [%s] [%s]\n', msg, id);
s = warning('query', 'Sweep:noisy');
fprintf('%s is %s\n', s.identifier, s.state);
try
  error('Sweep:last', 'for lasterr %d', 42);
catch
end
fprintf('lasterr [%s]\n', lasterr());
k = 0;
while true
  k = k + 1;
  try
    if k > 3, error('stop'); end
  catch
    break;
  end
end
fprintf('while left at %d\n', k);
end

function v = checked(x)
if ~isnumeric(x)
  error('Sweep:type', 'value of class %s', class(x));
end
if numel(x) ~= 1
  error('Sweep:size', 'expected a scalar, got %d values', numel(x));
end
if x < 0
  error('negative value %d', x);
end
v = x;
end

function k = first_bad(v)
for k = 1:numel(v)
  try
    if v(k) < 0
      error('Sweep:neg', 'negative');
    end
  catch
    return;
  end
end
k = -1;
end

function n = counter(cmd)
persistent count
if isempty(count)
  count = 0;
end
if nargin > 0 && strcmp(cmd, 'reset')
  count = 0;
  n = count;
  return;
end
count = count + 1;
n = count;
end

function use_resource(fail)
c = onCleanup(@() disp('resource released'));
disp('resource in use');
if fail
  error('Sweep:use', 'failed while using the resource');
end
disp('resource done');
end
