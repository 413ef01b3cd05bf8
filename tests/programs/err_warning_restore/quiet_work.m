function quiet_work(fail)
  state = warning('off', 'Demo:inner');
  restore = onCleanup(@() warning(state));
  warning('Demo:inner', 'never shown');
  if fail
    error('Demo:fail', 'quiet_work failed');
  end
  disp('quiet_work done');
end
