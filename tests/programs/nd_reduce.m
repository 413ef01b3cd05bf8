% Reductions of arrays of three dimensions along any dimension.
A = reshape(1:24, 2, 3, 4);
s3 = sum(A, 3)
s1 = sum(A);
disp(size(s1))
disp(s1(:,:,2))
s2 = sum(A, 2);
disp(size(s2))
disp(squeeze(s2))
disp(sum(A(:)))
p = prod(reshape(1:8, 2, 2, 2), 3)
m = mean(A, 3)
[mx, ix] = max(A, [], 3)
mn = min(A, [], 3)
mx2 = max(A);
disp(size(mx2))
a = any(A > 22, 3)
b = all(A > 2, 3)
c = cumsum(reshape(1:8, 2, 2, 2), 3)
cp = cumprod(reshape(1:8, 2, 2, 2), 3)
v = sum(ones(1,1,5))
w = sum(A, 4);
disp(isequal(w, A))
