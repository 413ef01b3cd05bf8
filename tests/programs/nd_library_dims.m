% Library functions along the third dimension and across dimensions
A = reshape(1:24, 2, 3, 4);
s3 = sum(A, 3)
p3 = prod(A(:,:,1:2), 3)
m3 = mean(A, 3)
[mx, ix] = max(A, [], 3)
mn = min(A, [], 3)
c3 = cumsum(A, 3);
c3(:,:,4)
cp = cumprod(A(:,:,1:2), 3);
cp(:,:,2)
d3 = diff(A, 1, 3);
size(d3)
d3(:,:,1)
B = A; B(1,2,3) = 100;
[sv, si] = sort(B, 3, 'descend');
sv(:,:,1)
si(:,:,1)
md = median(A, 3)
sd = std(A, 0, 3)
vr = var(A, 0, 3)
an = any(A > 20, 3)
al = all(A > 4, 3)
cs = circshift(A, 1, 3);
cs(:,:,1)
cs2 = circshift(A, [0 1 1]);
cs2(:,:,1)
fl = flip(A, 3);
fl(:,:,1)
P = permute(A, [3 1 2]);
size(P)
P(:,:,1)
Q = ipermute(P, [3 1 2]);
isequal(Q, A)
S = shiftdim(A, 1);
size(S)
sq = squeeze(A(1,2,:))
C = cat(3, [1 2], [3 4], [5 6])
C4 = cat(4, [1 2], [3 4]);
size(C4)
E = reshape(1:3, 1, 1, 3) + [10; 20]
[r, c, p] = ind2sub([2 3 4], [5 17 24])
li = sub2ind([2 3 4], [1 2], [2 3], [3 4])
Z = zeros(0, 3, 2)
Z2 = zeros(2, 0, 3)
s1 = sum(A)
s2 = sum(A, 2)
mxall = max(A(:))
dd = diff(A, 1, 2);
size(dd)
sr = sort(A, 2, 'descend');
sr(:,:,2)
cm = cummax(A, 3);
