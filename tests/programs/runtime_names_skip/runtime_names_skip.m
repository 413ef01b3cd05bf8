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
% A direct call of that file on a branch that never runs, and one that runs.
if k > 5
  unfinished(2)
end
try
  unfinished(3);
catch err
  disp('unfinished fails when called')
end
