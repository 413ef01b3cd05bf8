% precision-independent
% display of strings and char matrices
s = 'hello world'
e = ''
c = 'x'
m = ['abc'; 'def']
j = ['con' 'cat' 'enated']
q = 'it''s'
disp(s)
disp(m)
n = 'AB' + 0
