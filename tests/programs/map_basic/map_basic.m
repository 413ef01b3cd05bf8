% containers.Map as programs use it: a table by text or number keys, shared by copies.
m = containers.Map();
m('beta') = 2;
m('alpha') = [1 2 3];
fprintf('%d %d\n', m.Count, length(m));
k = keys(m)
v = values(m)
disp(isKey(m, 'alpha')); disp(isKey(m, {'alpha', 'zz'}));
m
disp(class(m));
n = containers.Map({'x', 'y'}, {10, 'text'});
disp(n('y'));
n('x') = n('x') + 5;
disp(n('x'));
p = containers.Map('KeyType', 'double', 'ValueType', 'any');
p(3) = 'three'; p(1) = 'one';
disp(keys(p)); disp(values(p, {3}));
q = containers.Map([1 2 3], {'a', 'b', 'c'});
disp(q(2));
% A copy is the same map.
r = m; r('gamma') = 5; disp(m.Count);
remove(m, 'alpha'); disp(keys(m));
disp(m.KeyType); disp(p.ValueType);
u = containers.Map('only', 42); disp(u('only'));
w = containers.Map({'a', 'b'}, [5 6]); disp(w('b')); disp(w.ValueType);
% Counting words, the way programs use a map most.
words = {'to', 'be', 'or', 'not', 'to', 'be'};
counts = containers.Map();
for i = 1:numel(words)
  word = words{i};
  if isKey(counts, word)
    counts(word) = counts(word) + 1;
  else
    counts(word) = 1;
  end
end
ks = keys(counts);
for i = 1:numel(ks)
  key = ks{i};
  fprintf('%s: %d\n', key, counts(key));
end
add_entry(counts, 'new', 7);
disp(counts('new'));
disp(isempty(containers.Map())); disp(isempty(counts)); disp(isobject(counts));
try
  disp(m('nope'));
catch e
  disp(e.message);
end
try
  p('xy') = 1;
catch e
  disp(e.message);
end
