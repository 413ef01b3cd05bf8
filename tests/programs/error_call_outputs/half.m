function y = half(x)
y = x / 2;
