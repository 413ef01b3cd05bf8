% Building character arrays: char, strvcat, strcat, setstr, double.
a = char(72, 105)
b = char('one', 'three')
c = size(char('a', '', 'bcd'))
d = strvcat('one', '', 'three')
f = strcat('a ', 'b ', 'c')
h = setstr([65 66 67])
k = double('AZ')
m = char([104 105])
% newline is the line feed character
t = ['ab' newline 'c'];
disp(double(t))
fprintf('%d %s\n', numel(strfind(sprintf('x\ny\n'), newline)), class(newline));
