% display of cells with every element type
c = {1, -2.5, 'str', [1 2 3]}
d = {[], {}, ''}
e = {true, 1+2i}
n = {{1, 2}, {'a', {3}}}
col = {1; 'two'}
m = {[1 2; 3 4], 'x'}
