% sscanf %i takes the base from the number: 0x hexadecimal, a leading 0 octal.
a = sscanf('10 0x1f 017 -0x10 0', '%i')
b = sscanf('0x', '%i')
c = sscanf('08', '%i')
[d, n] = sscanf('0X1A 12', '%i')
e = sscanf('7 010', '%d')
