% Reading a file line by line until fgetl gives -1, counting lines and characters.
name = 'io_lines_tmp.txt';
fid = fopen(name, 'wt');
fprintf(fid, 'alpha\nbeta\n\ngamma delta\n');
fclose(fid);
fid = fopen(name, 'rt');
count = 0;
chars = 0;
line = fgetl(fid);
while ischar(line)
  count = count + 1;
  chars = chars + length(line);
  disp(['<' line '>']);
  line = fgetl(fid);
end
fclose(fid);
count
chars
last = line
delete(name);
