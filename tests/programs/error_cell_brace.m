% braces on an element that is not a cell
x = {5, [1 2]};
y = x{2}{1}
