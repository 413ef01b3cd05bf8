% Integer matrices holding the class's least value (saturated results) display in
% columns as octave-cli shows them.
a = int8([1; -2])
b = int8([127; -1])
c = int8([-128; 1])
d = int8([100; -100]) * 2
e = int16([-32768; 1])
f = int8([-128 -1])
g = int8(-128)
h = uint8([255; 1])
k = int32([-2147483648 5; 7 -3])
l = int64([-9223372036854775807 - 1; 12])
