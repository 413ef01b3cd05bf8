% A range of a cell list past the cell's end fails as the index would.
c = {1, 2, 3};
x = [c{2:3}]
y = [c{2:4}]
