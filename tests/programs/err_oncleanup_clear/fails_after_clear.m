function fails_after_clear()
  a = onCleanup(@() disp('cleanup a'));
  b = onCleanup(@() disp('cleanup b'));
  clear('a');
  disp('a cleared');
  error('Clean:fail', 'failing with b alive');
end
