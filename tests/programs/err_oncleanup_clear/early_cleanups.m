function early_cleanups()
  c = onCleanup(@() disp('anonymous cleanup'));
  disp('made c');
  clear c
  disp('after clear c');
  h = @() fprintf('handle variable cleanup %d\n', 7);
  d = onCleanup(h);
  d = 5;
  fprintf('d is now %d\n', d);
  e = onCleanup(@say_bye);
  e = onCleanup(@() disp('second e'));
  disp('end of early_cleanups');
end

function say_bye()
  disp('bye from say_bye');
end
