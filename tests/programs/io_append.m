% Files opened for appending keep what was there; ftell and fseek report positions.
name = 'io_append_tmp.txt';
fid = fopen(name, 'w');
fprintf(fid, 'abc');
fclose(fid);
fid = fopen(name, 'a');
fprintf(fid, 'def');
fclose(fid);
fid = fopen(name, 'r');
s = fgetl(fid)
fseek(fid, 2, 'bof');
p = ftell(fid)
c = fread(fid, 2, 'uint8')'
fseek(fid, -1, 'cof');
q = ftell(fid)
status = fseek(fid, 100, 'bof')
fclose(fid);
delete(name);
