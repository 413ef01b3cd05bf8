% Loop heads in parentheses, as M allows them.
n = 4;
s = 0;
for (i = 1:n)
  s = s + i;
end
disp(s)
for (k = [2 5 7])
  fprintf('%d\n', k);
end
for (t = 1:2) fprintf('t=%d\n', t); end
for j = (3:-1:1)
  fprintf('%d ', j);
end
fprintf('\n');
