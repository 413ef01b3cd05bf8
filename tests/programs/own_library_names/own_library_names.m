% The program's own M-files named like library functions are called instead of the
% library's; the other library functions stay the library's.
x = mod(7, 3);
disp(x)
m = mean([1 2 3]);
disp(m)
r = range([4 9 1]);
disp(r)
y = normalize([3 4]);
disp(y)
% feval of the name and a handle to it reach the program's function too.
disp(feval('mod', -1, 4))
h = @mean;
disp(h([2 4]))
% A library function these call keeps its own meaning.
disp(rem(7, 3))
disp(max([4 9 1]) - min([4 9 1]))
