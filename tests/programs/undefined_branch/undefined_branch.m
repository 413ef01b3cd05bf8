% Calls of functions that no file defines: the program builds, runs the paths that
% never reach them, and fails with the undefined-function error where one is reached.
debug = false;
x = 4;
if debug
  plot_progress(x);
  y = special_filter(x, 3) + 1;
end
fprintf('x = %d\n', x);
r = helper_safe(x);
fprintf('r = %d\n', r);
try
  z = 2 * not_written_yet(x);
catch err
  disp(err.identifier);
  disp(err.message);
end
try
  r = helper_safe(-1);
catch err
  disp(err.message);
end
try
  value_of_nothing;
catch err
  disp(err.message);
end
for k = 1:3
  if k == 5
    never_called(k);
    w = record_of(k).total;
    w = settings_of(1).plot.color;
    w = config_store.level + 1;
  end
end
try
  w = numel(record_of(2).total);
catch err
  disp(err.message);
end
try
  w = config_store.level;
catch err
  disp(err.message);
end
disp('loop done');
finally_missing(x);
disp('not reached');
