function y = twice(x)
y = 2 * x;
