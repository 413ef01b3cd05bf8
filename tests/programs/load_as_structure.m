% S = load(file) of a MAT-file: a structure of its variables.
M = [1 2; 3 4];
txt = 'hello';
c = {1, 'two'};
r.a = 5;
save('las_vars.mat', 'M', 'txt', 'c', 'r');
S = load('las_vars.mat')
fieldnames(S)'
S.M(2, 1)
T = load('las_vars.mat', 'txt')
U = load('las_vars.mat');
disp(U.r.a)
V = load('las_vars.mat');
disp(isequal(V.c, c))
delete('las_vars.mat');
% A cell variable saved and loaded by name.
save('las_cell.mat', 'c');
clear c
load('las_cell.mat', 'c');
disp(class(c))
disp(c{2})
delete('las_cell.mat');
