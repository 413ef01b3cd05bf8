% precision-independent
% regexp with 'once' (a string, a number, a cell row of tokens; [] or '' when
% nothing matches), with no match at all, and on the empty string
w = regexp('ab12cd345', '\d+', 'match', 'once')
w2 = regexp('abcd', '\d+', 'match', 'once')
n = numel(w2)
s = regexp('abcd', 'c', 'once')
s2 = regexp('abcd', '\d', 'once')
[s3, e3] = regexp('xyz', 'y', 'once')
t = regexp('abcd', '(\d)+', 'tokens', 'once')
t2 = regexp('ab12', '(\d)(\d)', 'tokens', 'once');
k = numel(t2)
t2{1}
t2{2}
te = regexp('ab12', '(\d)(\d)', 'tokenExtents', 'once')
sp = regexp('a1b2c', '\d', 'split', 'once')
s4 = regexp('abcd', '\d')
m = regexp('abcd', '\d', 'match')
tk = regexp('abcd', '(\d)', 'tokens')
sp2 = regexp('abc', ',', 'split')
sp3 = regexp('', ',', 'split')
m2 = regexp('', 'a', 'match')
s5 = regexp('', 'a')
m3 = regexp('abc', 'x*', 'match')
m4 = regexp('abc', 'x*', 'match', 'emptymatch')
if isempty(regexp('abc', 'z', 'once'))
  disp('no z')
end
