% precision-independent
% for loops over variables, expressions, matrices (column by column), strings and cells
v = [3 1 4 1 5];
for e = v
  fprintf('%d ', e);
end
fprintf('\n');
n = 4;
for i = 1:n
  fprintf('%d ', i * i);
end
fprintf('\n');
for i = n:-1:1
  fprintf('%d ', i);
end
fprintf('\n');
a = 2; b = 3; c = 11;
for i = a:b:c
  fprintf('%d ', i);
end
fprintf('\n');
A = [1 2 3; 4 5 6];
for col = A
  col
end
for e = []
  disp('never')
end
for ch = 'abc'
  disp(ch)
end
for x = v(2:4) * 10
  disp(x)
end
