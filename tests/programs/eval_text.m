% eval of texts known when the program is translated: statements, expressions, texts
% joined from literals and numbers, the form with a text to run on an error.
x = 3;
eval('y = x + 1;');
disp(y)
eval('z = 2')
eval(['w = ' num2str(5) ';']); disp(w)
eval('a = 1;', 'b = 2;'); 
v = eval('x * 2')
q = eval(['[' num2str(1.5) ' ' num2str(-2) ']'])
eval('s = ''it''''s'';'); disp(s)
m = [x' eval('4')]
if eval('1 > 0'), disp('yes'), end
disp(eval(['3' '+' num2str(0.25)]))
r = eval('x''')
eval('a = x(5);', 'disp(''caught'')')
