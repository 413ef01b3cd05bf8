% Command syntax: a name followed by words calls the function with those words.
format short
y = pi
disp hello
disp 'two words'
disp it''s
warning off
warning('on');
more off
disp hello, disp world
z = 3;
fprintf('%d\n', z -1);
