% Binary files: fwrite and fread with precisions, counts and shapes.
name = 'io_binary_tmp.bin';
fid = fopen(name, 'wb');
n = fwrite(fid, [1 2 3 250], 'uint8')
m = fwrite(fid, [-1 1000], 'int16')
d = fwrite(fid, pi, 'double')
fclose(fid);
fid = fopen(name, 'rb');
a = fread(fid, 4, 'uint8')'
b = fread(fid, 2, 'int16')'
c = fread(fid, 1, 'double')
[e1, cnt] = fread(fid, 1, 'uint8')
fclose(fid);
fid = fopen(name, 'r');
all = fread(fid, [2 2], 'uint8')
fclose(fid);
delete(name);
