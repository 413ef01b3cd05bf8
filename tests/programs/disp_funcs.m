% disp and display of values of each kind.
disp(5)
disp([1 2; 3 4])
disp('text')
disp(pi)
disp([])
disp({1, 'a'})
disp(-0.5)
disp([1.5 NaN Inf])
disp(true)
disp(1e10)
% s = disp(x) takes the text instead of writing it; display(x) shows x by name
s1 = disp([1 2])
size(s1)
s2 = disp({1})
x = int8(3);
display(x)
display([4 5])
