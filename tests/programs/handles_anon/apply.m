function y = apply(h, x)
y = feval(h, x);
