function fails_with_cleanup()
  c = onCleanup(@() disp('cleanup ran'));
  x = [1 2 3];
  y = x(4);
end
