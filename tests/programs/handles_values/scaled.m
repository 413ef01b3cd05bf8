function y = scaled(x)
global SCALE
y = SCALE(x);
