% Reductions, running extremes, modes and shapes along the third dimension
A = reshape(1:12, 2, 3, 2);
cm = cummax(A, 3);
disp(cm(:,:,2))
cn = cummin(A, 3);
disp(cn(:,:,2))
mo = mode(A, 3)
nz = nnz(A > 5)
f = find(A > 10)'
mx2 = max(A, 6);
disp(size(mx2))
mm = mean(A)
mm3 = mean(mean(A, 3))
B = A; B(B > 8) = 0;
disp(B(:,:,2))
I = int16(A);
ci = class(sum(I, 3))
s3 = sum(I, 3)
L = A > 3
E = zeros(3, 0, 2)
size(E)
F = ones(2, 2, 0);
size(F)
x = rot90(A(:,:,1))
n = norm(A(:,:,2))
rr = A .* reshape([1 10], 1, 1, 2);
disp(rr(:,:,2))
mn = min(A, [], 2);
disp(size(mn))
dd = diff(A, 2, 2);
disp(size(dd))
sq = squeeze(sum(A, 1))
pr = prod(A, 3)
c3 = cat(3, A, A);
disp(size(c3))
m4 = max(max(max(A)))
[v, k] = min(A(:))
st = std(A, [], 3)
ar = any(A(:,:,1) > 5, 2)
h = A(:, end, end)
A(:, :, 3) = 1;
disp(size(A))
[mo3, fr3] = mode([1 2; 1 3; 4 4] .* ones(3, 2, 2), 3)
[cv, ci] = cummin(reshape([5 3 4 1 2 6 0 9], 2, 2, 2), 3)
