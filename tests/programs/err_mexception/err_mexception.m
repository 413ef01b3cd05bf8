% expected output written by hand
% MException values: made, thrown, caught, rethrown and matched by identifier. The
% interpreter used for the expectations has no MException, so they are written by
% hand from the documented behaviour (the caught value is a structure there too).
ME = MException('Pkg:tooBig', 'value %d is above %d', 7, 5);
disp(ME.identifier); disp(ME.message);
disp(size(ME.stack));
try
  throw(ME);
catch err
  fprintf('%s | %s\n', err.identifier, err.message);
  disp(size(err.stack, 1) >= 1);
end
try
  check_value(12);
catch err
  fprintf('%s | %s\n', err.identifier, err.message);
  disp(err.stack(1).name);
  disp(getReport(err));
end
try
  try
    error('Inner:fail', 'inner %s', 'problem');
  catch inner
    rethrow(inner);
  end
catch outer
  fprintf('%s | %s\n', outer.identifier, outer.message);
end
try
  error(struct('message', 'from a struct', 'identifier', 'S:t'));
catch e3
  fprintf('%s | %s\n', e3.identifier, e3.message);
end
try
  error(ME);
catch e4
  fprintf('%s | %s\n', e4.identifier, e4.message);
end
switch ME.identifier
  case 'Pkg:tooBig'
    disp('matched');
  otherwise
    disp('not matched');
end
ME2 = MException('Only:id', 'no arguments 100%%');
disp(ME2.message);
throw(MException('Last:one', 'uncaught %s', 'error'));
disp('not reached');
