% precision-independent
% switch over strings: exact comparison, lengths differ, otherwise
words = {'apple', 'pear', 'plum', 'app'};
for k = 1:4
  w = words{k};
  switch w
    case 'apple'
      disp('an apple')
    case 'pear'
      disp('a pear')
    case 'app'
      disp('not an apple')
    otherwise
      fprintf('unknown fruit %s\n', w);
  end
end
s = 'b';
switch s
  case 'a'
    disp('a')
  case 'b'
    disp('b')
end
