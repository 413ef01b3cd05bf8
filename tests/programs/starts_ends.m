% startsWith and endsWith of strings, cells, char matrices and several patterns.
a = startsWith({'apple','Banana';'cherry',''}, {'b','ch'})
b = startsWith('Banana', 'b', 'IgnoreCase', true)
c = endsWith({'x.m','y.txt'}, '.m')
f = endsWith('abc', {'zz','bc'})
g = startsWith({}, 'a')
h = class(startsWith('a','a'))
x = endsWith('abc', 'C', 'ignorecase', 1)
y = endsWith(['ab';'cd'], 'b')
z = startsWith('ab', 'abc')
names = {'test_one.m', 'main.m', 'test_two.m'};
tests = names(startsWith(names, 'test_') & endsWith(names, '.m'))
try, startsWith(5, 'a'), catch err, disp(err.message), end
try, startsWith('a', 5), catch err, disp(err.message), end
try, endsWith('a', 'a', 'Foo', 1), catch err, disp(err.message), end
try, endsWith({'a', 3}, 'a'), catch err, disp(err.message), end
try, endsWith('a', 'a', 'IgnoreCase', [1 1]), catch err, disp(err.message), end
