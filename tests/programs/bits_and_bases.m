% bit-wise operations on integers, and numbers written in base 2 and 16
% precision-independent
a = bitand(12, 10)
b = bitor([1 2 3], 4)
c = bitxor([5 6; 7 8], 3)
d = bitshift(1, [1 2 3])
e = bitshift(16, -2)
f = bitshift([255 1], [-4 52])
s = dec2bin(10)
s = dec2bin(5, 8)
s = dec2bin([1 2 10])
s = dec2bin(0)
s = dec2bin(-1)
h = dec2hex(255)
h = dec2hex([1 255], 4)
v = bin2dec('1010')
v = bin2dec(['101'; '011'])
v = bin2dec('1 0 1')
v = bin2dec('12')
v = hex2dec('FF') + hex2dec('ff')
v = hex2dec({'10', 'a0'})
v = hex2dec('xyz')
r = bin2dec(dec2bin(1234567))
% literals in base 16 or 2: the narrowest unsigned class of their written digits, or
% the class of their suffix (a signed suffix reads the bits as two's complement)
x = 0xF0F0
k = class(0x00FF)
x = [1 0b101 0x10
     0b11 0 0x1f]
x = 0xFFs8
x = 0x8000000000000000s64
x = 0xFFFFFFFFFFFFFFFF
x = bitand(0xF0F0, uint16(4080))
x = -0x10
% bit n of a value, and a value with bit n set or cleared
g = bitget(uint8(5), 1:3)
g = bitget(10, 4)
s = bitset(uint8(0), 3)
s = bitset(5, 1, 0)
s = bitset(10, [1 2])
s = bitset(int16(7), [1 2], [0 1])
