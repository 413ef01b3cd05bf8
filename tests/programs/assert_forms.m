% assert: conditions, messages with identifiers, and observed against expected values
x = 3;
assert(x == 3);
assert(true, 'never shown');
assert([1 2 3], [1 2 3]);
assert(pi, 3.14159, 1e-4);
assert('abc', 'abc');
assert({1, 'a'}, {1, 'a'});
try
  assert(x == 4, 'x was %d', x);
catch err
  disp(err.message)
end
try
  assert(x > 5, 'check:range', 'x = %d is out of range', x);
catch err
  fprintf('%s | %s\n', err.identifier, err.message);
end
try
  assert(isempty([1 2]));
catch err
  disp(err.message)
end
try
  assert([1 2 3], [1 2 4]);
catch err
  e = strsplit(err.message, sprintf('\n'));
  disp(e{1})
end
try
  assert(x(1)*2~=6 || numel(x)>1)
catch err
  disp(err.message)
end
v = [1 0 1];
assert(v, [1 0 1], 0)
assert(all(v >= 0) && numel(v)==3, 'not reached')
assert(sum(v) == 3, 'sum is %d', sum(v))
