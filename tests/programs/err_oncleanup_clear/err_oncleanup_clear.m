% onCleanup ends when its variable does: clear c, a new value for c, or the function's
% end; any handle: @name, @() expression, a handle variable.
early_cleanups();
disp('---');
replaced_in_loop(3);
disp('---');
try
  fails_after_clear();
catch err
  fprintf('caught: %s\n', err.message);
end
