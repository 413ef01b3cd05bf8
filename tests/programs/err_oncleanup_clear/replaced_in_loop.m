function replaced_in_loop(n)
  for k = 1:n
    guard = onCleanup(@() fprintf('cleanup of pass %d\n', k));
    fprintf('pass %d\n', k);
  end
  disp('loop done');
end
