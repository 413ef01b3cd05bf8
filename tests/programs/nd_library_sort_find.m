% Sorting, extremes, finding, statistics and shifts of three- and four-dimensional
% arrays along each dimension.
A = reshape([3 1 4 1 5 9 2 6 5 3 5 8 9 7 9 3 2 3], 3, 2, 3);
[m, i] = max(A, [], 3)
[m, i] = min(A, [], 3)
[s, k] = sort(A, 3)
[s, k] = sort(A, 3, 'descend')
f = find(A > 5)'
[r, c] = find(A > 7)
[r, c, v] = find(A .* (A > 7));
disp([r c v])
any(A > 8, 3)
all(A > 1, 3)
cumsum(A, 3)
cumprod(A, 3)
prod(A, 3)
mean(A, 3)
median(A, 3)
std(A, 0, 3)
var(A, 1, 3)
diff(A, 1, 3)
diff(A, 2, 3)
sum(A(:))
max(A(:))
nnz(A > 4)
dot(A, A, 3)
B = cat(4, A(:,:,1), A(:,:,2));
size(B)
squeeze(B(1, 2, 1, :))
sum(B, 4)
max(B, [], 4)
mean(B, 4)
circshift(A, 1, 3)
circshift(A, [1 0 2])
flip(A, 3)
permute(A, [3 1 2])
unique(A)'
A(A > 6) = 0
numel(A(:, :, end))
x = A(:, end, :)
A(2, :, :) = []
size(A)
