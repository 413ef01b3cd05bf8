% dir and ls of folders, files and patterns: the structure array, its fields, the
% listing printed when no output is asked for, and names gathered with {d.name}.
top = 'listing_tmp';
mkdir(top);
mkdir(fullfile(top, 'inner'));
names = {'alpha.txt', 'beta.txt', 'gamma.dat'};
for k = 1:numel(names)
  fid = fopen(fullfile(top, names{k}), 'w');
  fprintf(fid, '%s', repmat('x', 1, 10 * k));
  fclose(fid);
end
d = dir(fullfile(top, '*.txt'));
size(d)
{d.name}
[d.bytes]
[d.isdir]
class(d(1).isdir)
class(d(1).datenum)
strcmp(datestr(d(2).datenum), d(2).date)
here = pwd;
strcmp(d(1).folder, fullfile(here, top))
a = dir(top);
{a.name}
[a.isdir]
a(3).bytes
numel(a)
one = dir(fullfile(top, 'gamma.dat'));
one.name
one.bytes
strcmp(one.folder, fullfile(here, top))
none = dir(fullfile(top, '*.none'));
size(none)
isempty(none)
cd(top);
listed = dir('*.txt');
total = 0;
for k = 1:numel(listed)
  total = total + listed(k).bytes;
end
total
files = {listed(~[listed.isdir]).name}
dir
dir *.txt
dir('inner')
ls *.dat
l = ls('*.txt')
size(l)
q = dir('?eta.*');
q.name
cd(here);
rmdir(top, 's');
dir(42)
