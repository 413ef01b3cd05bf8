% Program information, files and directories.
function sys_files_forms
check_args(1, 2);
try
  check_args(1);
catch e
  disp(e.message);
end
try
  check_args(1, 2, 3, 4);
catch e
  disp(e.message);
end
msg = nargchk(1, 2, 3)
msg2 = nargchk(1, 2, 1)
disp(mfilename)
fprintf('%d %d %d\n', ispc, isunix, ismac);
fprintf('[%s] [%s] [%s]\n', filesep, filesep('all'), pathsep);
p = ['a' filesep 'b'];
disp(p)
cp = computer; disp(ischar(cp))
setenv('KORVAL_T30', 'hello');
disp(getenv('KORVAL_T30'))
disp(isempty(getenv('KORVAL_NOT_SET_30')))
pause(0);
drawnow;
d = tempname;
disp(strncmp(d, tempdir, numel(tempdir)) || strncmp(d, '/tmp', 4))
mkdir(d);
disp(isfolder(d))
disp(exist(d, 'dir'))
f = fullfile(d, 'data.csv');
csvwrite(f, [1 2 3; 4 5 6]);
m = csvread(f)
disp(isfile(f))
disp(exist(f, 'file'))
dlmwrite(fullfile(d, 'x.txt'), [1.5 2; 3 4], ';');
txt = fileread(fullfile(d, 'x.txt'))
m2 = dlmread(fullfile(d, 'x.txt'), ';')
m3 = dlmread(f, ',', 1, 0)
[p, n, e] = fileparts(f);
disp(n); disp(e); disp(strcmp(p, d))
[p2, n2, e2] = fileparts('a/b.c/file.tar.gz')
listing = dir(d);
names = sort({listing(~[listing.isdir]).name})
fid = fopen(fullfile(d, 'lines.txt'), 'w');
fprintf(fid, 'one\ntwo\n\nfour');
fclose(fid);
fid = fopen(fullfile(d, 'lines.txt'));
k = 0;
while true
  L = fgetl(fid);
  if ~ischar(L), break; end
  k = k + 1;
  fprintf('%d:[%s]\n', k, L);
end
fclose(fid);
fid = fopen(fullfile(d, 'lines.txt'));
G = fgets(fid);
fprintf('%d\n', double(G(end)));
fclose(fid);
c = textscan(fopen(fullfile(d, 'x.txt')), '%f %f', 'Delimiter', ';');
disp([c{1} c{2}])
fclose('all');
delete(fullfile(d, '*.txt'));
delete(f);
rmdir(d);
disp(exist(d, 'dir'))
end

function check_args(varargin)
narginchk(2, 3);
nargoutchk(0, 1);
end
