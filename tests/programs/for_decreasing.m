% precision-independent
% for loops over decreasing ranges
for i = 5:-1:1
  fprintf('%d ', i);
end
fprintf('\n');
for i = 10:-3:1
  fprintf('%d ', i);
end
fprintf('\n');
for x = 1:-0.5:-1
  x
end
for i = 1:-1:2
  disp('never')
end
for i = 3:-1:3
  i
end
