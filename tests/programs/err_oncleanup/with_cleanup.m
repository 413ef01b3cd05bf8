function with_cleanup(ok)
  label = 'first';
  c = onCleanup(@() fprintf('cleanup of %s\n', label));
  label = 'changed';
  disp('working');
  if ~ok
    error('Work:failed', 'the work failed');
  end
  disp('work done');
end
