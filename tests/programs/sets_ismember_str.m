% precision-independent
% ismember of strings among strings: a string in a cell, a cell in a cell, a cell
% against one string; the empty string is a string too
[tf, loc] = ismember('b', {'a', 'b', 'c'})
[tf, loc] = ismember('zz', {'a', 'b'})
[tf, loc] = ismember({'a', 'q'; 'c', 'b'}, {'a', 'b', 'c'})
[tf, loc] = ismember({'a'}, 'a')
tf = ismember({'ab', 'a', 'abc'}, 'ab')
tf = ismember('', {'x', ''})
colors = {'red', 'green', 'blue'};
pick = 'green';
if ismember(pick, colors)
  fprintf('%s is a color\n', pick);
end
