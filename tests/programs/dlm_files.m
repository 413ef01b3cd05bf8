% Delimited text files: writing with dlmwrite and csvwrite, reading back with
% dlmread and csvread, separators, offsets, ranges and empty fields.
A = [1 2.5 3; 4 5 -6e-3];
dlmwrite('a.txt', A)
type a.txt
dlmwrite('b.txt', A, ' ')
type b.txt
dlmwrite('c.txt', A, 'delimiter', '\t', 'precision', 3)
dlmwrite('c.txt', [7 8 9], '-append')
type c.txt
dlmwrite('d.txt', pi * [1 2], 'precision', '%.2f')
type d.txt
dlmwrite('w.txt', [1 NaN Inf -Inf])
type w.txt
dlmwrite('w.txt', [1 2; 3 4], ';', 1, 1)
type w.txt
dlmwrite('w.txt', 'abc')
type w.txt
csvwrite('e.csv', [1 2; 3 4])
type e.csv
csvwrite('f.csv', [1 2; 3 4], 1, 2)
type f.csv
x = dlmread('a.txt')
x = dlmread('b.txt', ' ')
x = csvread('e.csv')
x = csvread('f.csv')
x = csvread('f.csv', 1, 2)
fid = fopen('g.csv', 'w'); fprintf(fid, '1,2,3\n4,,6\n7,8\n'); fclose(fid);
x = csvread('g.csv')
x = dlmread('g.csv', ',', 1, 0)
x = dlmread('g.csv', ',', [0 1 1 2])
x = dlmread('g.csv', ',', 'emptyvalue', NaN)
x = dlmread('g.csv', 'emptyvalue', -1)
x = dlmread('g.csv', ',', 'A2..B3')
x = dlmread('g.csv', ',', 'B1:C2')
fid = fopen('h.txt', 'w'); fprintf(fid, '1 2  3\n4\t5 6\n'); fclose(fid);
x = dlmread('h.txt')
fid = fopen('h1.txt', 'w'); fprintf(fid, '1  2 3\n4 5 6\n\n'); fclose(fid);
x = dlmread('h1.txt', ' ')
fid = fopen('h2.txt', 'w'); fprintf(fid, '1;2;3\n4;5\n'); fclose(fid);
x = dlmread('h2.txt')
fid = fopen('i.csv', 'w'); fprintf(fid, 'a,b,c\n1,2,3\n4,5,6\n'); fclose(fid);
x = csvread('i.csv', 1, 0)
x = dlmread('i.csv')
B = magic(4);
csvwrite('m.csv', B);
isequal(csvread('m.csv'), B)
x = csvread('nonexist.csv')
