% inv of a rectangular matrix ends the program.
x = inv([1 2; 3 4])
y = inv([1 2 3])
