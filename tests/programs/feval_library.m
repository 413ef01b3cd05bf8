% feval of a library function named by the program: the dispatcher matches the name
% as the program writes it, and passes the inputs as given.
%# call sin
%# call max
%# call fprintf
%# call num2str
y = feval('sin', 1)
z = feval('max', [3 1 2], [], 2)
feval('fprintf', '%d-%d\n', 1, 2);
s = feval('num2str', pi, 8)
