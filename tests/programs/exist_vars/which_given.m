function e = which_given(a, b, c)
e = [exist('a', 'var'), exist('b', 'var'), exist('c')];
