function y = pick(n)
v = [10 20 30];
y = v(n);
