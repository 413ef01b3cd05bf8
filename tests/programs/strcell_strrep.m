% precision-independent
% strrep: overlapping occurrences, empty results, cells and char matrices
x = strrep('abcabc', 'bc', 'X')
x = strrep('aaa', 'aa', 'b')
x = strrep('aaaa', 'aa', 'b')
x = strrep('abababa', 'aba', 'X')
x = strrep('abc', '', 'X')
x = strrep('abc', 'x', 'Y')
x = strrep('abc', 'abc', '');
size(x)
x = strrep('abc', 'c', '')
size(x)
x = strrep('', 'a', 'X');
size(x)
x = strrep('a.b.c', '.', ' + ')
x = strrep(['ab'; 'cd'], 'a', 'x')
c = {};
c = strrep({'abc', 'xbc'; 'b', ''}, 'b', 'QQ')
c = strrep({}, 'a', 'b')
