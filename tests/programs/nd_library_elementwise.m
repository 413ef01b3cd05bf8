% Element-wise library functions of two arguments and filter on arrays of three
% dimensions keep the shape; integration along any dimension.
A = reshape(1:24, 2, 3, 4);
B = reshape(24:-1:1, 2, 3, 4);
C = A > 10;
x = xor(C, true);
size(x)
x(:, :, 2)
t = trapz(A, 3)
ct = cumtrapz(A, 3);
ct(:, :, 4)
t2 = trapz(A, 2)
t1 = trapz(A)
y = filter(1, [1 -0.5], A);
size(y)
y(:, :, 2)
q = atan2(A, B);
q(:, :, 2)
q = hypot(A, B);
q(:, :, 3)
q = mod(A, 5);
q(:, :, 4)
q = rem(B, 7);
q(:, :, 1)
q = max(A, B);
q(:, :, 2)
q = min(A, 10);
q(:, :, 3)
q = power(A, 2);
q(:, :, 1)
q = bitand(A, 6);
q(:, :, 4)
q = idivide(int32(A), int32(4));
q(:, :, 2)
q = floor(A / 3);
q(:, :, 3)
q = isnan(A ./ B);
q(:, :, 1)
nchoosek(5, 2)
kron([1 2], [1; 1])
w = A .* reshape([1 10 100 1000], 1, 1, 4);
w(:, :, 4)
v = A + [100; 200];
v(:, :, 2)
q = sqrt(A);
q(:, :, 1)
