% an integer class cannot hold a complex value
x = int8(2.5)
y = uint8([1+2i 3])
