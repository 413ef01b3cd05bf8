% feval and the function functions given a function's name as text.
x = [4 2 8 1];
a = feval('min', x)
[m, k] = feval('max', x)
b = feval('sqrt', 16)
r = fzero('cos', [1 2]);
printf('%.4f\n', r);
s = feval('upper', 'abc')
c = arrayfun('abs', [-1 2 -3])
