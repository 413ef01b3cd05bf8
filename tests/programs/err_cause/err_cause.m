function err_cause
% expected output written by hand
% addCause and throwAsCaller on MException values. The interpreter used for the
% expectations has no MException, so they are written by hand from the documented
% behaviour: addCause appends to the cell of causes, throwAsCaller raises the error
% from the caller's place (the function that calls it is not on the stack).
ME = MException('Top:fail', 'could not load %s', 'data.csv');
disp(size(ME.cause));
C1 = MException('Low:open', 'cannot open %s', 'data.csv');
C2 = MException('Low:perm', 'permission denied');
ME = addCause(ME, C1);
ME = addCause(ME, C2);
disp(size(ME.cause));
for k = 1:numel(ME.cause)
  fprintf('%s: %s\n', ME.cause{k}.identifier, ME.cause{k}.message);
end
disp(ME.message);
try
  throw(ME);
catch err
  fprintf('%s | %s\n', err.identifier, err.message);
  % The caught error keeps its causes, and so does the error rethrown from it.
  fprintf('%d causes: %s, %s\n', numel(err.cause), err.cause{1}.identifier, err.cause{2}.message);
  try
    rethrow(err);
  catch again
    fprintf('%d causes after rethrow\n', numel(again.cause));
  end
end
try
  check_positive(-2);
catch err
  fprintf('%s | %s\n', err.identifier, err.message);
  fprintf('raised in %s\n', err.stack(1).name);
end
try
  thrower();
catch err
  fprintf('raised in %s\n', err.stack(1).name);
end
try
  addCause(ME, 5);
catch err
  disp(err.message);
end
try
  throwAsCaller(struct('x', 1));
catch err
  disp(err.message);
end
check_positive(3);
disp('positive');
check_positive(0);
end

function check_positive(v)
if v <= 0
  throwAsCaller(MException('Check:notPositive', 'value %d is not positive', v));
end
end

function thrower()
throw(MException('Own:place', 'from here'));
end
