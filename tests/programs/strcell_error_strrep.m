% strrep of a number
x = strrep('abc', 'b', 'x')
x = strrep(1, 'a', 'x')
disp('not reached')
