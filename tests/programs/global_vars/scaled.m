function y = scaled(x)
global scale
y = scale * x;
