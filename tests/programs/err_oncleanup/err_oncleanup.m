% onCleanup: the cleanup runs when the function that made it returns, also when an
% error leaves it, and the values it uses are those of the moment it was made.
with_cleanup(1);
disp('back in the caller');
try
  with_cleanup(0);
catch err
  fprintf('caught: %s\n', err.message);
end
two_cleanups();
early_return(true);
