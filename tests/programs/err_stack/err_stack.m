% err.stack: one entry per function running when the error was raised, innermost
% first, with the function's name and the line of the statement that was running.
function_calls = 0;
try
  level_one(3);
catch err
  fprintf('%s | %s\n', err.identifier, err.message);
  fprintf('%d frames\n', numel(err.stack));
  for k = 1:numel(err.stack)
    fprintf('  %s line %d\n', err.stack(k).name, err.stack(k).line);
  end
end

% An error of the script itself: one frame.
try
  v = [1 2 3];
  w = v(0);
catch err
  fprintf('%s\n', err.message);
  fprintf('%d frame: %s line %d\n', numel(err.stack), err.stack(1).name, err.stack(1).line);
end

% rethrow and error of a caught value keep the stack where it was raised.
try
  try
    level_one(-1);
  catch inner
    rethrow(inner);
  end
catch outer
  fprintf('rethrown: %s at %s:%d (%d frames)\n', outer.message, outer.stack(1).name, ...
          outer.stack(1).line, numel(outer.stack));
end
try
  try
    level_one(-1);
  catch inner
    error(inner);
  end
catch outer
  fprintf('error(err): %s at %s:%d\n', outer.message, outer.stack(1).name, outer.stack(1).line);
end

% A caught error inside a function leaves the caller's nargin as it was.
counts_after_catch(1, 2, 3);

% Errors caught inside a loop of a function: the line of each.
lines = loop_errors(4);
disp(lines);

% A subfunction of a function file is a frame of its own.
try
  with_helper(2);
catch err
  fprintf('%s <- %s (%d, %d)\n', err.stack(1).name, err.stack(2).name, err.stack(1).line, err.stack(2).line);
end
