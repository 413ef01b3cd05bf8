% bit functions on int64 and uint64 over all 64 bits, and a xorshift generator
a = bitand(intmax('uint64'), uint64(2)^63 + 255)
b = bitor(uint64(2)^63, uint64(1))
c = bitxor(intmax('uint64'), uint64(1))
d = bitshift(uint64(1), 63)
e = bitshift(uint64(2)^63 + 8, -3)
f = bitshift(intmax('uint64'), 4)
g = bitcmp(uint64(0))
h = bitcmp(int64(0))
k = bitand(int64(-1), intmax('int64'))
l = bitxor(int64(2)^62 + 1, int64(3))
m = bitshift(int64(1), 62)
n = bitand(uint64([2^60 + 2^59, 7]), uint64(2)^59 + 3)
s = uint64(88172645463325252);
out = zeros(1, 5, 'uint64');
for k = 1:5
  s = bitxor(s, bitshift(s, 13));
  s = bitxor(s, bitshift(s, -7));
  s = bitxor(s, bitshift(s, 17));
  out(k) = s;
end
out
r = mod(out, uint64(1000))
lcg = uint64(12345);
for k = 1:4
  lcg = mod(lcg * uint64(1103515245) + uint64(12345), uint64(2)^31);
end
lcg
sr = bitshift(int8([-8 -7 8]), -1)
sr2 = bitshift(int64(-8), -2)
