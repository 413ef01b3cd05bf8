% A small data loader as a user writes it: input checks with identifiers, library
% errors caught and classified, warnings switched by identifier, lasterr and lastwarn.
results = {};
inputs = {[1 2 3], 'abc', [], [4 -5 6], {7}};
for k = 1:numel(inputs)
  try
    results{end + 1} = checked_mean(inputs{k});
    fprintf('input %d: mean %g\n', k, results{end});
  catch err
    switch err.identifier
      case 'Loader:empty'
        fprintf('input %d: empty, skipped\n', k);
      case {'Loader:type', 'Loader:negative'}
        fprintf('input %d: rejected (%s)\n', k, err.message);
      otherwise
        fprintf('input %d: unexpected %s\n', k, err.identifier);
    end
  end
end

% Library errors: identifiers and messages.
a = magic(3);
for k = 1:8
  try
    switch k
      case 1
        v = a(4, 1);
      case 2
        v = a(0);
      case 3
        v = [1 2] + [1 2 3];
      case 4
        v = feval('undefined_thing_here', 2);
      case 5
        v = a(1.5);
      case 6
        v = ones(2, 3) * ones(2, 3);
      case 7
        v = cell2mat(3);
      case 8
        v = [a, ones(2, 2)];
    end
    fprintf('probe %d: no error\n', k);
  catch err
    if k == 4
      fprintf('probe %d: [%s] %d\n', k, err.identifier, ~isempty(err.message));
    else
      fprintf('probe %d: [%s] %s\n', k, err.identifier, err.message);
    end
  end
end

% A file that is not there.
try
  data = load('no_such_file_here.txt');
catch err
  fprintf('load failed: %d\n', ~isempty(err.message));
end
fid = fopen('no_such_file_here.txt', 'r');
fprintf('fopen gives %d\n', fid);
try
  txt = fileread('no_such_file_here.txt');
catch err
  disp(err.message);
end

% Warnings by identifier.
warning('Loader:slow', 'slow path taken %d times', 3);
[msg, id] = lastwarn();
fprintf('lastwarn: %s / %s\n', msg, id);
warning('off', 'Loader:slow');
warning('Loader:slow', 'not shown');
[msg, id] = lastwarn();
fprintf('lastwarn still: %s / %s\n', msg, id);
warning('on', 'Loader:slow');
warning('off', 'all');
warning('Other:id', 'hidden as well');
warning('on', 'all');
lastwarn('');
x = [1 2; 2 4] \ [1; 2];
[msg, id] = lastwarn();
fprintf('singular: %s\n', id);

% lasterr after a caught error, and set by the program.
try
  error('Mix:last', 'the last one %s', 'raised');
catch
end
[msg, id] = lasterr();
fprintf('lasterr: %s / %s\n', msg, id);

% error of a structure, and of a caught value changed by the program.
try
  s.message = 'from a structure';
  s.identifier = 'Mix:struct';
  error(s);
catch err
  fprintf('%s / %s\n', err.identifier, err.message);
  try
    err.message = ['wrapped: ' err.message];
    rethrow(err);
  catch again
    fprintf('%s / %s\n', again.identifier, again.message);
  end
end
