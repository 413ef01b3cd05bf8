% dot, trapz, cumtrapz, cummax, mode and friends along the third dimension; vectors
% and empty values in dot.
A = reshape(1:24, 2, 3, 4);
d = dot(A, A, 3)
d1 = dot(A, A)
d2 = dot(A, A, 2)
dot([1 2 3], [4; 5; 6])
dot(zeros(1,0), zeros(1,0))
dot(zeros(0,3), zeros(0,3))
c = dot([1+2i 3], [2 1i])
B = A;
B(:, :, 2) = -B(:, :, 2);
sum(abs(B), 3)
min(A, [], 2)
[mx, ix] = max(B(:))
norm(squeeze(A(1, 1, :)))
trapz(A, 3)
cummax(B, 3)
mean(A(:, :, 2:3), 3)
C = A > 10;
nnz(C(:, :, 3))
xor(C, true)
mode(round(A / 5), 3)
fliplr(A(:, :, 1))
rot90(A(:, :, 2))
idx = sub2ind(size(A), 2, 3, 4)
[p, q, r] = ind2sub(size(A), [5 17 24])
linear = A(:, :, [1 3])
