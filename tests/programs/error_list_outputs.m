% A list with fewer values than the outputs asked of it stops the program.
c = {1, 2};
[a, b] = c{:};
fprintf('%d %d\n', a, b);
[a, b, d] = c{:};
disp(d)
