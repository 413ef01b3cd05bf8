function h = make_adder(n)
h = @(x) x + n;
