s = dec2bin(3)
s = dec2bin(2.5)
