% try blocks in loops and functions: break, continue and return leave them, errors
% raised in called functions are caught by the caller, rethrow and error(err) raise
% a caught error again.
total = 0;
for k = 1:6
  try
    if k == 2
      continue;
    end
    if k == 5
      break;
    end
    total = total + checked_root(k - 3);
  catch err
    fprintf('k=%d: %s\n', k, err.message);
  end
end
fprintf('total %g\n', total);
n = 0;
while true
  n = n + 1;
  try
    if n > 3
      break;
    end
    r = checked_root(-n);
  catch err
    fprintf('n=%d: %s (%s)\n', n, err.message, err.identifier);
  end
end
disp(first_negative([4 2 -1 3]));
disp(first_negative([4 2 1]));
try
  relay('Relay:x', 'passed through');
catch err
  fprintf('relayed: %s / %s\n', err.identifier, err.message);
end
try
  again();
catch err
  fprintf('again: %s / %s\n', err.identifier, err.message);
end
try
  deep(3);
catch err
  fprintf('deep: %s\n', err.message);
end
% Errors of the library's file functions and of an unknown function name are caught too.
try
  load('no_such_file.mat', 'x');
catch err
  disp(err.message);
end
try
  fclose(77);
catch err
  disp(err.message);
end
try
  feval('no_such_function', 1);
catch
  disp('an unknown function was caught');
end
