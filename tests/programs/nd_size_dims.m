% size with a vector of dimensions, with several DIM arguments, and with as many
% outputs as dimensions asked for.
R = reshape(1:24, 2, 3, 4);
size(R, [1 3])
size(R, [3 1 5])
size(R, 2, 3)
[a, b] = size(R, [1 3])
[a, b, c, d] = size(R)
[a, b, c] = size(ones(2, 3))
[a, b] = size(R)
size(R, [])
C = cell(2, 3, 4);
size(C, [2 3])
s = size(zeros(3, 0, 2), [2 3])
try, size(R, [1 0]), catch e, disp(e.message), end
try, size(R, [1.5 2]), catch e, disp(e.message), end
size(R, [1; 2])
try, [a, b, c] = size(R, [1 2]), catch e, disp(e.message), end
[a, b] = size(R, 1, 2)
Q = zeros(2, 3, 4, 5);
size(Q, 1, 2, 3, 4)
size(Q, 4, 3, 2, 1, 6)
size(R, 3, 3, 2, 1, 1, 2, 3, 4)
try, size(Q, 1, 2, 3, 0), catch e, disp(e.message), end
[a, b, c, d] = size(Q, 1, 2, 3, 4)
[a, b, c, d] = size(Q, 4, 1, 6, 2)
[p, q] = size(Q, [2 4])
[p, q, w] = size(Q, 2, 3, 7)
[r, c] = size(Q)
[m, n] = size(ones(3, 4), [1 2])
sz = size(Q, [1 3])
% five DIM arguments or more with as many outputs
F = zeros(2, 3, 4, 5, 6);
[a, b, c, d, e] = size(F, 1, 2, 3, 4, 5)
[a, b, c, d, e, f] = size(F, 5, 4, 3, 2, 1, 7)
[a, b, c, d, e] = size(F)
