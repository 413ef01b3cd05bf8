% Blanks, trimming, case and justification of strings.
a = ['[' blanks(3) ']']
b = ['[' deblank('  ab  ') ']']
c = ['[' strtrim(sprintf(' \t ab c \n')) ']']
d = upper('Hello, World 1')
e1 = lower('MiXeD')
f = strjust(['a  '; 'bb '], 'right')
g = strjust(['  a'; ' bb'], 'left')
h = strjust(['a   '; 'bb  '], 'center')
k = fliplr('abc')
n = strtrim(['  a '; ' bb '])
