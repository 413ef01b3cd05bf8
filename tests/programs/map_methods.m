% containers.Map: methods called as m.name(...), keys given straight from cell
% elements, and keys of the wrong type (a one-character text on a map of numbers).
m = containers.Map();
m('apple') = 3; m('b') = 7; m('cherry') = 11;
names = {'b', 'apple', 'cherry'};
total = 0;
for i = 1:numel(names)
  total = total + m(names{i});
end
disp(total)
k = m.keys();
fprintf('%s ', k{:}); fprintf('\n');
k2 = m.keys;
disp(isequal(k2, keys(m)))
v = m.values({'cherry', 'b'});
disp(v)
disp(m.values())
disp(m.isKey('b'))
disp(m.isKey({'b', 'zz'; 'apple', 'cherry'}))
disp(m.Count)
disp(m.length())
m.remove('b');
disp(m.Count)
disp(m.isKey('b'))
same = m;
same.remove('apple');
disp(m.keys())
% keys of a number-keyed map
n = containers.Map('KeyType', 'double', 'ValueType', 'any');
n(120) = 'the code of x';
n(3) = [1 2 3];
try
  disp(n('x'))
catch err
  disp(err.message)
end
try
  n('x') = 5;
catch err
  disp(err.message)
end
disp(n.isKey('x'))
disp(n.isKey(120))
disp(n(120))
ks = n.keys();
disp(class(ks{1}))
c = {3, 120};
disp(n(c{2}))
disp(n(c{1}))
% a number on a map of text keys
t = containers.Map({'x', 'y'}, {1, 2});
try
  disp(t(120))
catch err
  disp(err.message)
end
disp(t('x') + t('y'))
s.keys = {'not', 'a', 'map'};
disp(s.keys(2))
