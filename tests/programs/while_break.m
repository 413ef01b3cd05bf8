% precision-independent
% break and continue inside while loops
i = 0;
while 1
  i = i + 1;
  if i > 4
    break
  end
  if mod(i, 2) == 0
    continue
  end
  disp(i)
end
i
total = 0;
j = 0;
while j < 10
  j = j + 1;
  if j == 3
    continue
  end
  total = total + j;
  if total > 20
    break
  end
end
j
total
