% precision-independent
% an index out of bound ends the program with an error
x = [1 2 3];
disp('before')
y = x(5)
disp('never printed')
