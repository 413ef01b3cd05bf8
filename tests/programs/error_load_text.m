% x = load(file) of a file that holds words, not numbers
fid = fopen('words.txt', 'w');
fprintf(fid, '1 2\nabc def\n');
fclose(fid);
disp('loading')
y = load('words.txt');
disp(y)
