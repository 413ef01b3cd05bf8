% Indexing past the end of a vector ends the program.
x = [1 2 3];
y = x(3)
z = x(4)
