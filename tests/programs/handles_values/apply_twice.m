function y = apply_twice(f, x)
y = f(f(x));
