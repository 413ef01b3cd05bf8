function y = pass_through(x)
y = x;
