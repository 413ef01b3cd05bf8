% precision-independent
% the pattern dialect: anchors, word starts, back references, lazy repetition, classes
% with escapes, counted repetition, and tokens by number in replacements
a = regexp('abab', '^ab', 'match')
b = regexp('abab', 'ab$')
c = regexp('foo bar', '\<\w', 'match')
d = regexp('aabbcc', '(\w)\1', 'match')
f = regexp('<a><b>', '<.*?>', 'match')
g = regexp('1.5 2.25', '[\d.]+', 'match')
h = regexp('aaa', 'a{2}', 'start')
k = regexprep('Hello World', '(?<first>\w+) (?<second>\w+)', '$2 $1')
l = regexprep('abc', '', '-')
m = regexprep('a b  c', '\s+', ' ')
n = regexp('ABC', '[a-z]+', 'match', 'ignorecase')
o = upper(regexprep('x_y_z', '_(\w)', '$1'))
