function early_return(leave)
  c = onCleanup(@() disp('cleanup after return'));
  if leave
    disp('returning early');
    return;
  end
  disp('not reached');
end
