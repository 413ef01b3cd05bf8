% Integer arrays of three dimensions: one column width for every page, pages of one
% element written as matrices, and the layout inside a structure.
x = int8(cat(3, [1 2], [100 -100]))
y = int8(cat(3, 5, -7))
z = uint8(cat(3, 5, 17))
w = int32(reshape(-3:4, 2, 2, 2) * 1000)
b = cat(3, [true false], [false true])
s.a = int16(cat(3, [1 2], [100 -100]));
s.b = cat(3, [1 2], [100 -200]);
s.c = int8(cat(3, 5, -7))
% int64 and uint64 beyond 2^53 keep every digit through three subscripts.
x = reshape(int64(9007199254740993) + int64(0:7), 2, 2, 2);
a = x(2, 1, 2)
b = x(:, :, 2)
c = x(1, :, :)
x(1, 2, 2) = x(1, 1, 1) + 100;
x(:, :, 2)
x(1, 1, 3) = intmax('int64');
x(:, :, 3)
x(:, :, 1) = [];
size(x)
x(:, :, 1)
u = reshape(uint64(18446744073709551615) - uint64(0:7), 2, 2, 2);
u(2, 2, 2)
u(:, 1, :)
% disp and cells show integer pages the same way.
disp(int8(cat(3, 5, -7)))
disp(uint8(cat(3, [1 2], [30 4])))
held = {int8(cat(3, [1 2], [3 -4]))}
