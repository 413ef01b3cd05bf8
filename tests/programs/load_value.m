% x = load(file): the numbers of a text file as a matrix, one row per line
% precision-independent
x = [1 2.5; -3 400];
save d.txt x -ascii
y = load('d.txt')
z = load('d.txt', '-ascii');
disp(isequal(y, z))
% any whitespace-separated numbers; commas and tabs separate too, '%' starts a comment
fid = fopen('e.txt', 'w');
fprintf(fid, '%% two rows\n1 2 3\n4,5,\t6 %% trailing\n\n');
fclose(fid);
name = 'e.txt';
w = load(name)
s = sum(load(name), 2)'
% one number, and the special values
fid = fopen('one.txt', 'w'); fprintf(fid, '7\n'); fclose(fid);
v = load('one.txt')
fid = fopen('inf.txt', 'w'); fprintf(fid, 'NaN Inf -Inf\n1e3 -2.5e-1 0\n'); fclose(fid);
v = load('inf.txt')
size(v)
% a column
fid = fopen('col.txt', 'w'); fprintf(fid, '%d\n', [3 1 2]); fclose(fid);
c = load('col.txt')
