% deal into the elements of a cell: [c{:}] = deal(...), [c{a:b}] and mixed outputs.
c = cell(1, 3);
[c{:}] = deal(0);
c
d = {1, 2};
[d{:}] = deal('x', [5 6]);
d
e = cell(1, 4);
[p, e{2:3}, q] = deal(1, 2, 3, 4);
p, q, e
