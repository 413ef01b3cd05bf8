% precision-independent
% if, elseif and else chains with scalar, matrix and empty conditions
x = 3;
if x > 2
  disp('x is greater than 2')
end
if x < 2
  disp('wrong branch')
else
  disp('else branch')
end
for v = [-1 0 1 7]
  if v < 0
    r = -1
  elseif v == 0
    r = 0
  elseif v < 5
    r = 1
  else
    r = 5
  end
end
if [1 1 1]
  disp('all nonzero matrix is true')
end
if [1 0 1]
  disp('wrong: a zero element')
else
  disp('matrix with a zero is false')
end
if []
  disp('wrong: empty')
else
  disp('empty is false')
end
if 'a'
  disp('a character is true')
end
if x
  y = x * 2
end
