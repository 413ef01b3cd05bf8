% Warning states as values: warning('off', id) gives the state before, warning(s)
% puts it back, warning('query', id) reads it; lastwarn records only warnings shown.
lastwarn('');
s = warning('off', 'Demo:noisy');
fprintf('before: %s %s\n', s.identifier, s.state);
warning('Demo:noisy', 'hidden %d', 1);
fprintf('lastwarn after a hidden warning: [%s]\n', lastwarn());
q = warning('query', 'Demo:noisy');
fprintf('now: %s\n', q.state);
warning(s);
q = warning('query', 'Demo:noisy');
fprintf('restored: %s\n', q.state);
warning('Demo:noisy', 'shown %d', 2);
[msg, id] = lastwarn();
fprintf('lastwarn: %s (%s)\n', msg, id);

% Quietly inside a function, restored on the way out even when it fails.
for fail = [false true]
  try
    quiet_work(fail);
  catch err
    fprintf('caught: %s\n', err.message);
  end
  q = warning('query', 'Demo:inner');
  fprintf('after quiet_work(%d): %s\n', fail, q.state);
end

% All warnings off and back.
old = warning('off', 'all');
warning('Any:thing', 'not shown');
warning(old);
warning('Any:thing', 'shown again');
[msg, id] = lastwarn();
fprintf('%s / %s\n', msg, id);
