% A handle held where the translator cannot see it (an element of a cell of handles)
% called with a cell; indexing a matrix with a cell fails as Octave says.
g = @(c) numel(c);
disp(g({1,2}))
fs = {@numel, @iscell, @(c) c{end}};
for k = 1:3
  f = fs{k};
  disp(f({1, 'two', 3}))
end
x = [1 2 3];
try
  y = x({1});
catch err
  disp(err.message)
end
