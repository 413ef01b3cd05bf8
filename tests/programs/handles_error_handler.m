function handles_error_handler
  % arrayfun and cellfun with an ErrorHandler: the handler gives the values of the
  % elements whose call failed, from a structure of the error and the same inputs.
  r = arrayfun(@(x) fail_on(x), [1 2 3], 'ErrorHandler', @handler);
  disp(r)
  c = cellfun(@(x) fail_on(x), {1, 2}, 'ErrorHandler', @(e, x) -x, 'UniformOutput', false);
  disp(c)
  [a, b] = arrayfun(@(x) two(x), [1 2], 'ErrorHandler', @(e, x) deal(e.index, 0));
  disp([a; b])
  msgs = cellfun(@(x) fail_on(x), {1, 2}, 'ErrorHandler', @(e, s) [e.identifier ': ' e.message], ...
                 'UniformOutput', false);
  disp(msgs{1}); disp(msgs{2});
end
function [p, q] = two(x)
  if x > 1
    error('two fails');
  end
  p = x; q = x + 1;
end
function y = fail_on(x)
  if x == 2
    error('my:id', 'bad value %d', x);
  end
  y = x * 10;
end
function y = handler(err, x)
  disp(err)
  y = -1;
end
