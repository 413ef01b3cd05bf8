function two_cleanups()
  a = onCleanup(@say_goodbye);
  b = onCleanup(@() disp('second made, first run'));
  disp('in two_cleanups');
end
