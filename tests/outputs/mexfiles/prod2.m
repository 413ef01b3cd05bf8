function y = prod2(a, b)
y = a * b;
