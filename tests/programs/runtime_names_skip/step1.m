function y = step1(x)
y = x + 1;
