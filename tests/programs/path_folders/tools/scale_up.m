function y = scale_up(x)
y = 10 * x;
