% expected output written by hand
% MException.last: the last error nothing caught. A compiled program ends on such an
% error, so while it runs there is none, also after errors a try caught: the value is
% the empty error value, as MException.last('reset') leaves it. The interpreter used
% for the expectations has no MException; the lines follow the documented behaviour.
try
  error('Pkg:one', 'caught %d', 1);
catch err
  fprintf('caught: %s\n', err.message);
end
last = MException.last;
fprintf('identifier ''%s'' message ''%s''\n', last.identifier, last.message);
fprintf('stack %dx%d, cause %dx%d\n', size(last.stack), size(last.cause));
MException.last('reset');
again = MException.last();
fprintf('%d\n', isempty(again.message));
try
  MException.last('clear');
catch err
  fprintf('%s\n', err.message);
end
