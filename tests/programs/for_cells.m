% precision-independent
% for over a cell: the loop variable is each column of the cell, a cell itself
c = {1, 'two', [3 4]};
for e = c
  disp(class(e))
  disp(size(e))
end
n = 0;
for e = {}
  n = n + 1;
end
disp(n)
for p = {'x'; 'y'}
  disp(size(p))
end
for q = {1, 'a'}
  disp(class(q))
  disp(q{1})
end
