function y = step2(x)
y = x * 2;
