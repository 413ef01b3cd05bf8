% precision-independent
% strcat with cells joins element by element (a char argument loses its trailing
% blanks, cell elements keep theirs); upper, lower, strtrim and deblank of a cell
% work on each string
a = strcat({'a ', 'b'}, 'x ');
disp(double(a{1}));
b = strcat('p ', {'q'})
c = strcat({'a'; 'b'}, {'1'; '2'})
u = upper({'ab'; 'c'})
t = strtrim({' a ', 'b  '})
d = deblank({'x  '})
names = {'one', 'two'};
full = strcat(names, '.m')
l = lower({'MiXeD', 'ABC'})
v = strrep({'aa', 'ba'}, 'a', 'c')
