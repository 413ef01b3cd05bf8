% An error with a message identifier and format arguments.
x = 3
error('Pkg:toobig', 'value %d is bigger than %d', x, 2);
