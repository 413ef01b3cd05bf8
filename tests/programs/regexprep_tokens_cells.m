% precision-independent
% regexprep: tokens in the replacement, 'once', either case, escapes, cells of
% strings, and one pattern after another
r = regexprep('hello world', '(\w+) (\w+)', '$2 $1')
r2 = regexprep('abc', '(b)', '[$0|$1]')
r3 = regexprep('aaa', 'a', 'b', 'once')
r4 = regexprep('aAa', 'a', 'b', 'ignorecase')
r5 = regexprep('a.b', '\.', '\n')
r6 = regexprep('a.b', '\.', '\\')
r7 = regexprep('a.b', '\.', '\t')
r8 = regexprep('abc', 'x', 'y')
r9 = regexprep('', 'x', 'y')
r10 = regexprep('abc', 'x*', '-')
r11 = regexprep('abc', {'a', 'b'}, {'1', '2'})
r12 = regexprep('a1b22', '\d+', '#')
c = regexprep({'ab', 'cb'; 'bb', 'x'}, 'b', '-')
c2 = regexprep({'Ann Lee', 'Bo Chan'}, '(\w+) (\w+)', '$2, $1')
k = numel(regexprep({'a', 'b', 'c'}, 'b', 'x'))
j = strjoin(regexp('a1b22c', '\d+', 'split'), '-')
n = numel(regexp('a1b22c', '\d+', 'match'))
words = regexp('the quick brown fox', '\w+', 'match');
for i = 1:numel(words)
  fprintf('%d: %s\n', i, upper(words{i}));
end
