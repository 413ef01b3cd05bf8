% nargout of statement calls, a no-output call without semicolon, and a script
% whose variables (named like library functions) reach its caller.
count_out();
x = count_out();
[a, b] = two_out();
two_out();
noout(3)
disp(abs(2 * i));
setvars
fprintf('%d %d\n', i, e);
y = i + e
