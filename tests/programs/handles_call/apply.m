function y = apply(f, x)
y = feval(f, x);
