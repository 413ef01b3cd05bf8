function y = square_it(x)
y = x * x;
