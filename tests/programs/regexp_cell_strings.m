% precision-independent
% regexp of a cell of strings: each output a cell of its shape, one result per string
c = {'ab12', 'x'; 'y3', ''};
s = regexp(c, '\d')
m = regexp(c, '\d+', 'match')
[t, e] = regexp({'a1', 'b22'}, '(\d)', 'tokens', 'end')
w = regexp({'a1', 'b22'}, '\d+', 'match', 'once')
sp = regexpi({'aXb'}, 'x', 'split')
n = numel(regexp({'a', 'b', 'c'}, 'b'))
