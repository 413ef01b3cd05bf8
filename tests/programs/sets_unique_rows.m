% precision-independent
% unique(x, 'rows'): distinct rows in order, both index vectors, 'last' in either
% position, rows holding NaN never equal, char rows, a single row
A = [1 2; 3 4; 1 2; 0 9; 3 4];
u = unique(A, 'rows')
[u, i, j] = unique(A, 'rows')
[u, i, j] = unique(A, 'rows', 'last')
[u, i, j] = unique(A, 'last', 'rows')
u = unique([NaN 1; NaN 1; 2 2; 2 2], 'rows')
u = unique([1 2 1], 'rows')
u = unique([2; 1; 2], 'rows')
u = unique(['ab'; 'cd'; 'ab'], 'rows')
u = unique([1 2 3; 1 2 2; 1 1 9], 'rows')
