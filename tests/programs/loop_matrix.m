% precision-independent
% for over the columns of a matrix, over a row, over an empty matrix.
A = [1 2 3; 4 5 6];
for c = A
  c'
end
for v = [10 20]
  v
end
n = 0;
for e = []
  n = n + 1;
end
n
for s = 'ab'
  s
end
