function h = compose(f, g)
h = @(x) f(g(x));
