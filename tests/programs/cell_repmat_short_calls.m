% repmat of a cell literal; str2func of malformed text fails when it runs, with the
% parser's message; a library call with too few inputs fails only when it is reached.
% (The interpreter goes on with ".  Correct usage is:" and the help text; a compiled
% program has no help text and ends the message at the name.)
r = repmat({'k'}, 1, 3);
fprintf('%s', r{:}); fprintf('\n');
t = repmat({'a', 1}, 2, 1);
disp(size(t)); disp(class(t{2, 2}))
c = {0};
z = repmat(c, [1 2])
for txt = {'@(x', '@(x) (x'}
  try
    f = str2func(txt{1});
  catch err
    fprintf('%s -> %s\n', txt{1}, strtrim(strrep(err.message, sprintf('\n'), ' ')));
  end
end
g = str2func('@(x) x.^2');
disp(g(3))
n = numel(r);
if n > 5
  v = linspace();
  s = num2str();
end
if n == 3
  w = colon(1);
end
disp('not reached')
