% Functions named while the program runs, in a folder holding a function file that
% does not translate: the program is made without that file and runs.
for k = 1:2
  f = str2func(sprintf('step%d', k));
  disp(f(10))
end
disp(feval(['step' num2str(1)], 5))
try
  g = str2func('unfinished');
  g(1)
catch err
  disp('unfinished cannot be called')
end
