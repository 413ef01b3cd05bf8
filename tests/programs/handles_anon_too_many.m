% An anonymous function called with more inputs than it names is an error.
f = @(x) x + 1;
y = f(1)
z = f(1, 2)
