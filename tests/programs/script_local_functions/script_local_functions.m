% A script whose statements are followed by local functions, and a script it runs
% that has local functions of its own (one of the same name as ours).
data = [4 8 15 16 23 42];
fprintf('mean %.2f, spread %.2f\n', average(data), spread(data));
label = describe(numel(data));
disp(label)
setup_limits;              % a script with its own local functions
disp(note)
fprintf('limits %d..%d (%s)\n', lo, hi, describe(hi - lo));
fprintf('scaled: %s\n', mat2str(scale(data)));
fprintf('scaled by 3: %s\n', mat2str(scale(data, 3)));
h = @average;
fprintf('%s gives %g\n', func2str(h), h([1 2 3 6]));
disp(cellfun(@spread, {[1 2], [5 5 5], [0 10]}))
try
  check_positive([1 -2 3]);
catch err
  fprintf('%s (%s, line %d)\n', err.message, err.stack(1).name, err.stack(1).line);
end
fprintf('twice(5) = %d\n', twice(5));   % a local function hides the M-file twice.m
shared_defs;               % a script that defines functions before its statements

function m = average(x)
  m = sum(x) / numel(x);
end

function s = spread(x)
  s = max(x) - min(x);
end

function t = describe(n)
  if n > 5
    t = sprintf('%d values (many)', n);
  else
    t = sprintf('%d values', n);
  end
end

function y = scale(x, k)
  if nargin < 2
    k = 2;
  end
  y = x * k;
end

function check_positive(v)
  bad = find(v <= 0, 1);
  if ~isempty(bad)
    error('check:negative', 'element %d is %d', bad, v(bad));
  end
end

function r = twice(x)
  r = 2 * x + 1000;
end
