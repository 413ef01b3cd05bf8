% precision-independent
% for loops with a step
for i = 1:2:9
  fprintf('%d ', i);
end
fprintf('\n');
for x = 0:0.25:1
  x
end
for i = 1:3:10
  fprintf('%d ', i);
end
fprintf('\n');
for i = 1:2:2
  disp(i)
end
