% Shape functions on arrays of three and more dimensions.
A = reshape(1:24, 2, 3, 4);
disp(size(A))
[m, n] = size(A)
[m, n, p] = size(A)
[m, n, p, q] = size(A)
disp(size(A, 3))
disp(size(A, 4))
disp(ndims(A))
disp(ndims(ones(2,3)))
disp(numel(A))
disp(length(A))
disp(isempty(zeros(2,0,3)))
s = squeeze(A(1,2,:))
s2 = squeeze(ones(2,1,3));
disp(size(s2))
P = permute(A, [3 1 2]);
disp(size(P))
disp(P(:,:,1))
Q = ipermute(P, [3 1 2]);
disp(isequal(Q, A))
disp(size(permute(ones(2,3), [3 1 2])))
[b, k] = shiftdim(ones(1,1,3));
disp(size(b))
disp(k)
disp(size(shiftdim(A, 1)))
c = circshift(A, 1, 3);
disp(c(:,:,1))
c2 = circshift(A, [0 1 1]);
disp(c2(:,:,1))
f = flip(A, 3);
disp(f(:,:,1))
disp(size(ones(2,2,2) + ones(2,2,2)))
E = reshape(1:8, 2, 2, 2) .* reshape([1 10], 1, 1, 2)
F = reshape(1:8, 2, 2, 2) + [100; 200]
G = -A(:,:,1:2)
disp(class(A > 3))
disp(size(sqrt(A)))
disp(abs(-A(:,:,4)))
disp(isequal(size(double(int8(A))), [2 3 4]))
disp(isequal(ones(2,3,4), ones(2,12)))
disp(isequal(ones(2,3,4), ones(2,3,4)))
