% precision-independent
% nested loops: break and continue act on the innermost loop
for i = 1:4
  for j = 1:4
    if j > i
      break
    end
    if j == 2
      continue
    end
    fprintf('(%d,%d) ', i, j);
  end
  fprintf('\n');
end
count = 0;
i = 0;
while i < 3
  i = i + 1;
  for j = 1:10
    if j > 2
      break
    end
    count = count + 1;
  end
end
count
M = zeros(3, 3);
for r = 1:3
  for c = 1:3
    M(r, c) = 10 * r + c;
  end
end
M
