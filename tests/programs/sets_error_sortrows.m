% a column of sortrows beyond the matrix stops the program
x = [3 1; 1 2];
y = sortrows(x, -2)
y = sortrows(x, 3)
