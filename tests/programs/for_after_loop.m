% precision-independent
% The loop variable after a loop: the last value it took, or where break left it.
for i = 1:3
end
i
for k = 10:-2:1
end
k
for m = 1:10
  if m == 4
    break;
  end
end
m
s = 0;
for n = 1:5
  if mod(n, 2) == 0
    continue;
  end
  s = s + n;
end
n
s
