% precision-independent
% deal copies one value to every output, or n values to n outputs; it reads all
% of its inputs before it writes any output, so it can swap two variables.
[a, b] = deal(7)
[p, q, r] = deal(1, 'two', [3 4])
[a, b] = deal(b + 1, a - 1)
c = {10, 20};
[u, v] = deal(c{:})
s.x = 0;
s.y = 0;
[s.x, s.y] = deal(5, 6);
disp(s.x + s.y)
m = magic(3);
[first, last] = deal(m(1), m(end))
w = deal('alone')
