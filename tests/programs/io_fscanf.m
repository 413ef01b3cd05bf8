% fscanf of numbers and of text from a file.
name = 'io_fscanf_tmp.txt';
fid = fopen(name, 'w');
fprintf(fid, '1 2 3\n4 5 6\n');
fclose(fid);
fid = fopen(name, 'r');
v = fscanf(fid, '%d')
frewind(fid);
M = fscanf(fid, '%d', [3 2])
frewind(fid);
two = fscanf(fid, '%f', 2)
fclose(fid);
fid = fopen(name, 'r');
s = fscanf(fid, '%s')
fclose(fid);
delete(name);
bad = fopen('no_such_dir/none.txt', 'r')
