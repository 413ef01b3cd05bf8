% Writing and reading a text file through file ids: positions, lines, end of file.
name = 'io_files_tmp.txt';
fid = fopen(name, 'w');
fprintf(fid, 'first line\n');
fprintf(fid, '%d %d\n', [1 2; 3 4]);
fprintf(fid, 'last');
fclose(fid);
fid = fopen(name, 'r');
l1 = fgetl(fid)
l2 = fgets(fid)
pos = ftell(fid)
at_end = feof(fid)
rest = fgetl(fid)
l4 = fgetl(fid)
l5 = fgetl(fid)
at_end = feof(fid)
frewind(fid);
again = fgetl(fid)
fseek(fid, -4, 'eof');
tail = fgetl(fid)
fseek(fid, 6, 'bof');
word = fgetl(fid)
st = fclose(fid)
delete(name);
gone = exist(name, 'file')
