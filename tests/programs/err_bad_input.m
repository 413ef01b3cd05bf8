% Bad calls of error and rethrow are errors with Octave's messages, never a crash.
try
  error();
catch err
  disp(err.message);
end
try
  error('Only:identifier');
catch err
  fprintf('[%s] [%s]\n', err.identifier, err.message);
end
try
  rethrow(struct('message', 'no identifier'));
catch err
  disp(err.message);
end
try
  rethrow(struct('identifier', 'No:message'));
catch err
  disp(err.message);
end
error(struct('identifier', 'Empty:message'));
disp('an empty message raised nothing');
rethrow(struct('message', 'rethrown and not caught', 'identifier', 'Bad:end'));
disp('never');
