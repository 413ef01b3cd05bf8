% Set functions of cells of strings: sorted results, the indices of each, rows and
% columns, a char row standing for one string, and empty results.
a = {'pump', 'valve', 'motor', 'valve'};
b = {'motor', 'gauge'};
c = setdiff(a, b)
[c, ia] = setdiff(a, b)
c = intersect(a, b)
[c, ia, ib] = intersect(a, b)
c = union(a, b)
[c, ia, ib] = union(a, b)
c = setdiff(a, 'valve')
c = union(b, 'pump')
col = {'x'; 'b'; 'a'};
kb = {'b'};
c = setdiff(col, kb)
kax = {'a', 'x'};
c = intersect(col, kax)
kq = {'q'};
c = union(col, kq)
c = setdiff(b, b)
ka = {'a'};
c = intersect(ka, kb)
e = {};
c = union(e, b)
c = setdiff(e, b)
ab = {'a', 'b'};
n = numel(setdiff(ab, e))
