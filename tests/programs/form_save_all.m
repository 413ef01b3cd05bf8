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
% load without a list, the file named by a variable called like an option: the
% variables read later come from the file; one it lacks keeps its value quietly
mat = 'some.mat';
keep = 7;
save(mat, 'a', 's');
clear a s
load(mat);
a, s, keep
