% complex values in the set functions: ordered by magnitude, then phase angle
z = [1+2i, 1-2i, 1+2i, 2, -2];
u = unique(z)
[u, iu, ju] = unique(z)
y = sortrows([1+2i, 3; 1-2i, 4; 2, 0])
c = intersect(z, [2 1-2i 5])
c = union([1i 2], [-1i 2])
c = setdiff(z, [2])
[tf, loc] = ismember([2, 1-2i, 3i], z)
