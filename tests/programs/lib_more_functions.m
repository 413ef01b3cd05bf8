% iqr and mad
iqr(1:7)
iqr([3 1 NaN 2; 5 4 6 0])
iqr([3 1 NaN 2; 5 4 6 0], 2)
iqr([3 1 NaN 2; 5 4 6 0], 'all')
mad([1 2 3 10])
mad([1 2 3 10], 1)
mad([1 2; 3 5; 10 NaN])
% gammaln and beta
printf('%.10f\n', gammaln([0.5 1 10 170.5]));
g = gammaln(-0.5);
printf('%.6f %.6f\n', real(g), imag(g));
disp(gammaln([0 -1]))
printf('%.10f\n', beta(2, 3), beta(0.5, 0.5));
disp(beta([1 2], [0.5 4]))
% windows and trends
printf('%.6f ', hamming(5)); printf('\n');
printf('%.6f ', hamming(4, 'periodic')); printf('\n');
printf('%.6f ', hanning(4)); printf('\n');
printf('%.6f ', hanning(5, 'periodic')); printf('\n');
disp(hamming(1))
printf('%.6f ', detrend([1 2 4 8])); printf('\n');
printf('%.6f ', detrend([1 2 4 8]', 0)); printf('\n');
disp(max(abs(detrend([1 4 9 16 25]', 2))) < 1e-9)
r = detrend([1 2; 2 4; 4 5; 8 9]);
printf('%.6f ', r); printf('\n');
% linear systems and blocks
disp(linsolve([2 0; 0 4], [2; 4]))
o.UT = true;
disp(linsolve([2 1; 0 4], [3; 4], o))
o2.TRANSA = true;
disp(linsolve([2 1; 0 4], [3; 4], o2))
blkdiag([1 2], 3, [4; 5])
blkdiag(eye(2), [])
% days of the week
weekday(738000)
[n, s] = weekday([738000 738001 738002])
[n, s] = weekday(738004, 'long')
% classes of characters
isstrprop('a1 B_!', 'alpha')
isstrprop('a1 B_!', 'digit')
isstrprop('a1 B_!', 'wspace')
isstrprop('a1 B_!', 'punct')
isstrprop('a1 B_!', 'alphanum')
isstrprop('aF9g', 'xdigit')
isstrprop(['ab'; '1 '], 'alpha')
c = isstrprop({'ab1', 'Z'}, 'lower');
class(c), c{1}, c{2}
% erase of text
erase('abcabc', 'bc')
erase({'abc', 'bcd'}, {'b', 'c'})
size(erase('ab', 'ab'))
% calls with too few inputs fail when they are reached
try
  iqr()
catch e
  disp(strtok(e.message, '.'))
end
try
  beta(1)
catch e
  disp(strtok(e.message, '.'))
end
try
  isstrprop('abc', 'nothing')
catch e
  disp(e.message)
end
% structfun over the fields of a structure
st = struct('a', 1, 'b', 4, 'c', -2);
v = structfun(@(x) x * 2, st)
t = structfun(@(x) [x x], st, 'UniformOutput', false)
[p, q] = structfun(@(x) deal(x, -x), struct('u', 1, 'v', 2))
f = @(x) x > 0;
w = structfun(f, st)
n = structfun(@numel, struct('m', [1 2 3], 'k', 'ab'))
u = structfun(@(x) x, struct('a', 'xy', 'b', 3), 'UniformOutput', 0);
disp(u.a)
try
  structfun(@(x) [x x], st)
catch e
  disp(e.message)
end
try
  structfun(@(x) x, 5)
catch e
  disp(e.message)
end
r = structfun(@(x) error('bad'), st, 'ErrorHandler', @(err, x) -1)
