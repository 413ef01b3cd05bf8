% precision-independent
% Comparing strings: element-wise operators, strcmp and isequal.
a = 'abc' == 'abd'
b = 'abc' < 'b'
c = strcmp('abc', 'abc')
d = strcmp('abc', 'abcd')
e1 = strcmpi('ABC', 'abc')
f = strncmp('abcdef', 'abcxyz', 3)
g = isequal('abc', 'abc')
h = isequal([1 2], [1 2], [1 2])
k = isequal([1 2], [1 2]')
m = ~strcmp('a', 'b')
