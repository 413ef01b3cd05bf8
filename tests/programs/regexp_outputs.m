% precision-independent
% regexp's outputs: all seven in their own order, the ones option words choose in
% the order they name them (the others after them), and either case
str = 'ab12cd345';
s = regexp(str, '\d+')
[s, e] = regexp(str, '\d+')
[s, e, te, m, t, nm, sp] = regexp(str, '(\d)(\d)');
s, e, te, m, t, sp
c = regexp(str, '\d+', 'match')
x = c{2}
[mt, st] = regexp('xAbxab', 'ab', 'match', 'start', 'ignorecase')
[en, ma] = regexp('one two', '\w+', 'end', 'match')
[sp2, first] = regexp('a,b,,c', ',', 'split')
mi = regexpi('xAbxab', 'AB', 'match')
mc = regexpi('xAbxab', 'AB', 'match', 'matchcase')
[wm, ws] = regexp('key: value', '\w+', 'Match', 'Start')
d = regexp(sprintf('a\nb'), 'a.b', 'match')
w = regexp('cat concat category', '\<cat\w*', 'match')
b = regexp('a]b', '[]]', 'start')
