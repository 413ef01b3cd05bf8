% char and strvcat of cells: one row per element, padded with blanks.
c = char({'a', 'bcd'})
size(c)
d = char({'x'; ''; 'yz'});
size(d)
e = char('ab', {'c', 'de'}, 'f')
s = strvcat({'a', '', 'bc'})
size(s)
names = {'alpha', 'be', 'gam'};
m = char(names);
for k = 1:size(m, 1)
  fprintf('[%s]\n', m(k, :));
end
cellstr(m)
