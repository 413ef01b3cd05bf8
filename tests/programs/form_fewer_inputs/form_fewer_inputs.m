% A function called with fewer inputs than it declares; nargin counts them.
r = scale(4)
r = scale(4, 3)
show_count(1)
show_count(1, 2, 3)
show_count()
s = pick(5);
disp(s)
