% precision-independent
% switch over numbers, with otherwise and without a matching case
for x = 1:4
  switch x
    case 1
      disp('one')
    case 2
      disp('two')
      y = x * 10
    case 3
      disp('three')
    otherwise
      disp('something else')
  end
end
z = 7;
switch z
  case 1
    disp('no')
  case 2
    disp('no')
end
disp('after a switch without a match')
switch z * 2
  case 14
    disp('fourteen')
end
