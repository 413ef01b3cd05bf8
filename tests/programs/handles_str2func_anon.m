function handles_str2func_anon
  % str2func of anonymous-function text: the text becomes the function, shown as
  % octave-cli shows it; its body sees its inputs and functions.
  f = str2func('@(x) x.^2 + 1');
  disp(f(3))
  disp(f([1 2]))
  g = str2func('@(x, y) x * y - 2');
  disp(g(3, 4))
  disp(func2str(f))
  f
  q = str2func(['@(t) t + ' num2str(3)]);
  disp(q(1))
  fs = {str2func('@(v) max(v)'), str2func('@() 8'), str2func('cos')};
  disp(fs{1}([3 9 2]))
  disp(fs{2}())
  disp(fs{3}(0))
  r = str2func('@(x) scale(x, 10)');
  disp(r(2))
  disp(integral(str2func('@(x) x.^2'), 0, 3))
  names = {'@(x) x + 1', '@(x) 2 * x'};
  printf('%s\n', func2str(str2func('@(s) upper(s)')));
  printf('%s\n', names{:});
end

function y = scale(x, k)
  y = x * k;
end
