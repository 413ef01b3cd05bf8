% precision-independent
% save and load round trips of matrices, strings and scalars
x = [1 2 3; 4 5 6];
name = 'korval';
n = 42;
save data1 x name n
x = 0;
name = '';
n = 0;
load data1 x name n
x
name
n
y = [1.5 -2.25];
save data2 y
y = [];
load data2 y
y
