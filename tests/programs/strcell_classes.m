% precision-independent
% isspace, isletter and double over char values of every shape
% Numbers are not characters: isspace(32) and isletter(65) are false, as in MATLAB
% (Octave takes the codes), so no number is asked here.
x = isspace([' a', char(9), 'b', char(10)])
x = isspace('')
x = isspace(['a '; ' b'])
x = isspace(true)
x = isletter('a1B_ z')
x = isletter('')
x = isletter(['ab'; '1c'])
x = isletter('')
n = sum(isletter('Hello, World 42'))
d = double('abc')
d = double('')
d = double(['ab'; 'cd'])
d = double(true)
d = double(7)
y = double('a') + 1
s = char(double('abc') - 32)
