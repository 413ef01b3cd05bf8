% Reductions over several dimensions at once (a vector DIM) and over all elements.
A = reshape(1:24, 2, 3, 4);
s12 = sum(A, [1 2])
s13 = sum(A, [1 3])
s31 = sum(A, [3 1])
s23 = sum(A, [2 3])
s123 = sum(A, [1 2 3])
s14 = sum(A, [1 4])
m13 = mean(A, [1 3])
p23 = prod(A / 10, [2 3])
mx13 = max(A, [], [1 3])
mn12 = min(A, [], [1 2])
an13 = any(A > 20, [1 3])
al12 = all(A > 2, [1 2])
sa = sum(A, 'all')
pa = prod([1 2; 3 4], 'all')
ma = mean(A, 'all')
xa = max(A, [], 'all')
na = min(-A, [], 'all')
[v, k] = max(A, [], 'all')
[v, k] = min(A, [], 'all')
aa = any(A > 23, 'all')
la = all(A > 0, 'all')
B = zeros(2, 0, 3);
e = sum(B, [1 2])
ee = sum(B, 'all')
sn = sum(int8(A), [1 3])
ss = sum(single(A), 'all')
sc = sum(A + 1i, [1 2])
try, sum(A, [1 1]), catch err, disp(err.message), end
try, sum(A, [1 0]), catch err, disp(err.message), end
try, [v, k] = max(A, [], [1 2]), catch err, disp(err.message), end
% Neighbouring dimensions are joined where they lie; others are brought together.
Q = reshape(1:120, 2, 3, 4, 5);
q23 = sum(Q, [2 3])
q32 = max(Q, [], [3 2])
q234 = min(Q, [], [2 3 4])
q24 = mean(Q, [2 4])
q34 = any(mod(Q, 7) == 0, [3 4])
q12 = prod(Q(:, :, 1, 1) / 4, [1 2])
% median, var and std over several dimensions or all elements
v13 = var(A, 0, [1 3])
s23 = std(A, 1, [2 3])
sa = std(A, 0, 'all')
md13 = median(A, [1 3])
md23 = median(Q, [2 3])
mda = median(A, 'all')
try, var(A, [1 2], [1 3]), catch err, disp(err.message), end
