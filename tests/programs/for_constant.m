% precision-independent
% for loops over constant increasing ranges
for i = 1:5
  i
end
s = 0;
for k = 1:100
  s = s + k;
end
s
for k = 0:3
  fprintf('%d ', k);
end
fprintf('\n');
for k = 2:2
  disp(k)
end
for k = 1:0
  disp('never')
end
