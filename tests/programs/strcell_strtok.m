% precision-independent
% strtok: tokens after leading delimiters, the rest, and the shapes of empties
[t, r] = strtok('  hello world  ')
[t, r] = strtok('hello')
size(r)
[t, r] = strtok('');
size(t)
size(r)
[t, r] = strtok('   ');
size(t)
size(r)
[t, r] = strtok('a,b;c', ',;')
[t, r] = strtok(',,a,b', ',')
[t, r] = strtok('abc', 'abc');
size(t)
size(r)
[t, r] = strtok('abc', '')
t = strtok('  x y')
t = strtok(['a', char(9), 'b'])
% words one after the other
s = 'one two  three';
while ~isempty(s)
  [w, s] = strtok(s);
  if ~isempty(w)
    fprintf('[%s]\n', w);
  end
end
c = {};
d = {};
[c, d] = strtok({'a b', ' c', ''})
c = strtok({'a,b'}, ',')
