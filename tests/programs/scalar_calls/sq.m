function y = sq(x)
y = x * x;
