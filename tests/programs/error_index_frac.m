% A non-integer index ends the program.
x = [1 2 3];
a = x(2)
b = x(1.5)
