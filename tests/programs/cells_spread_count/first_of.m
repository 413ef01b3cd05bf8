function y = first_of(a, b)
y = a;
