% text of int64 and uint64 values beyond 2^53: display, disp, sprintf and fprintf,
% and a MAT file keeps every digit
x = int64(2)^60 + int64(3)
u = intmax('uint64')
v = [x; -x; int64(5)]
disp(x)
disp(u)
disp([x x + 1])
fprintf('%d %i %u\n', x, -x, u);
fprintf('%x %o %X\n', u, u, uint64(2)^63 + 10);
s = sprintf('%d,', [x x+1 x+2])
s2 = sprintf('%5d|%-22d|', int64(7), intmin('int64'))
s3 = sprintf('%d', intmax('uint64'))
t = int2str(int64(123456789))
n = num2str(int64(-42))
save i64_values.mat x u v
clear x u v
load i64_values.mat x u v
x
u
v
class(v)
delete('i64_values.mat');
