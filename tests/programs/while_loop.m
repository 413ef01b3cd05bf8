% precision-independent
% while loops: counting, a condition on a matrix, a loop that never runs
k = 0;
while k < 5
  k = k + 1;
  fprintf('k = %d\n', k);
end
n = 10;
s = 0;
while n
  s = s + n;
  n = n - 1;
end
s
while 0
  disp('never')
end
v = [1 2 3];
while all(v < 20)
  v = v * 2
end
