% precision-independent
% magic squares of every kind of order, with their row, column and diagonal sums
for n = 0:12
  m = magic(n);
  if n > 0
    ok = all(sum(m) == sum(m, 2)') && sum(diag(m)) == sum(m(:, 1)) && sum(diag(fliplr(m))) == sum(m(:, 1));
    fprintf('%d %d %d\n', n, sum(m(:, 1)), ok);
  end
end
a = magic(3)
b = magic(4)
c = magic(6)
d = magic(2.7)
e = magic(1)
f = magic(0)
g = magic(10)
