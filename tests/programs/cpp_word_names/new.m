function y = new(x)
y = x + 1;
