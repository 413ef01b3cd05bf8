% save with a file name alone writes every variable the program has made so far.
a = 1;
b = [1 2; 3 4];
name = 'text';
save('all_vars.mat');
clear a b name
load('all_vars.mat', 'a', 'b', 'name');
a, b, name
s = 5;
save all_two.mat
clear s a
load all_two.mat s a
s, a
