% Set functions called with cell literals written in the call, and setxor.
c = {'a','b','c'};
d = setdiff(c, {'b'})
e = ismember('x', {'a','x'})
f = union({'a'}, c)
g = intersect(c, {'c','a','z'})
[tf, loc] = ismember({'c','q'}, c)
h = unique([c, {'a'}])
[u, i, j] = unique({'z','a','z'})
[k, ia, ib] = setxor({'a','b','c'}, {'c','d'})
m = setxor({'a'}, 'a')
[n, ia, ib] = setxor([5 1 3 3], [3 7 1])
p = setxor([1;2], [2 4])
q = setxor([1 2], [1 2])
r = setxor([1 NaN], NaN)
s = setxor([1 2; 3 4], [3 4; 5 6], 'rows')
t = setxor(int8([1 2]), int8([2 3]))
class(t)
w = setxor('abc', 'bcd')
try
  setxor({'a', 1}, {'b'})
catch err
  disp(err.message)
end
