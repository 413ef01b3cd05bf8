% precision-independent
% strfind and strrep with overlapping matches, empty patterns and no match.
a = strfind('aaaa', 'aa')
b = strfind('abc', 'x')
c = strrep('aaaa', 'aa', 'b')
d = strrep('abcabc', 'bc', '')
f = strfind('abcabc', 'abc')
g = strrep('abc', 'x', 'y')
h = findstr('abcabc', 'c')
