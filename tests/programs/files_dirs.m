% Files and directories by name: making, testing, reading and removing them.
d = 'kv_dir_test';
[s, m, id] = mkdir(d)
[s, m, id] = mkdir(d)
[s, m] = mkdir(d, 'sub/deeper')
mkdir(d, 'other');
isfolder(d)
isfolder(fullfile(d, 'sub', 'deeper'))
isfile(d)
f = fullfile(d, 'data.txt')
fid = fopen(f, 'w'); fprintf(fid, 'line one\nline two\n'); fclose(fid);
isfile(f)
exist(f, 'file')
exist(d, 'dir')
exist(d)
txt = fileread(f)
size(txt)
fid = fopen(f);
while true
  l = fgetl(fid);
  if ~ischar(l), break; end
  disp(['[' l ']'])
end
fclose(fid);
fid = fopen(f);
l = fgets(fid);
double(l(end))
fclose(fid);
isfolder({d, f, 'none'})
isfile({d, f})
[p, n, e] = fileparts(f)
[p, n, e] = fileparts('/a/b.c/file.tar.gz')
[p, n, e] = fileparts('name')
[p, n, e] = fileparts('.bashrc')
[p, n, e] = fileparts('/top')
fullfile('a', 'b', 'c.m')
fullfile('a/', '/b/', 'c')
fullfile('', 'x')
fullfile({'a', 'b'}, 'c')
t = tempdir;
t(end)
class(tempname)
isfolder(tempdir)
[s, m] = rmdir(d)
[s, m] = rmdir(d, 's')
isfolder(d)
[s, m, id] = rmdir(d)
fileread('no_such_file.txt')
