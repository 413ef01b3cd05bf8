function r = outer(x)
r = helper_a(x) + helper_b(x);

function y = helper_a(x)
y = 100 * x;

function y = helper_b(x)
y = helper_a(x) / 50;
