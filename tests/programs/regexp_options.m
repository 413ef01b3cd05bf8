% regexp's reading options and the split output, alone and with others.
s = 'one, two,,three;four';
parts = regexp(s, '[,;]', 'split')
[m, sp] = regexp(s, ',+', 'match', 'split')
sp2 = regexp('abc', 'x', 'split')
sp3 = regexp(',a,', ',', 'split')
first = regexp(s, '\w+', 'match', 'once')
none = regexp(s, 'xyz', 'match', 'once')
t = sprintf('alpha\nbeta\ngamma');
starts = regexp(t, '^\w', 'match', 'lineanchors')
ends = regexp(t, '\w$', 'match', 'lineanchors')
whole = regexp(t, '^\w', 'match')
back = regexp(t, '^\w', 'match', 'lineanchors', 'stringanchors')
y = regexp(t, 'a.b', 'match')
y2 = regexp(t, 'a.b', 'match', 'dotexceptnewline')
spaced = regexp('ab12cd345', '\d+  # digits', 'match', 'freespacing')
literal = regexp('a b', 'a b', 'match', 'literalspacing')
ic = regexp('ABC abc', 'b', 'match', 'ignorecase')
[tok, names] = regexp('k1=v1', '(\w+)=(\w+)', 'tokens', 'split');
disp(tok{1}); disp(names)
r = regexprep(t, '^(\w)', '<$1>', 'lineanchors')
c = regexp({'a1', 'b22'}, '\d+', 'match');
disp(c{2})
try
  regexp('abc', 'b', 'sideways');
catch err
  disp(err.message)
end
