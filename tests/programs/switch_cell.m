% precision-independent
% switch with cell cases: a match of any element selects the case
for x = 1:6
  switch x
    case {1, 2}
      fprintf('%d: one or two\n', x);
    case {3, 4, 5}
      fprintf('%d: three to five\n', x);
    otherwise
      fprintf('%d: other\n', x);
  end
end
names = {'red', 'green', 'blue', 'black'};
for k = 1:4
  switch names{k}
    case {'red', 'green'}
      disp('warm or grassy')
    case {'blue'}
      disp('cold')
    otherwise
      disp('dark')
  end
end
