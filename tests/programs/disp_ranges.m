% A row made by the colon operator displays as the interpreter shows a range: its
% field width comes from the first element and the limit that was asked for, and
% one column more when it is not all integers. Any change makes it a plain matrix.
x = 1:2:10
x = 0:0.3:1
x = -1:-0.3:-2
x = -100:0.5:-90
x = 1:1
x = 1:0
x = 0:1e-3:2e-3
x = 1e6:1e6:3e6
x = 0:pi:10
x = 5:-0.5:3
x = 1:2:10.5
x = 1e4:0.5:1e4+1
u = 0.5:2
% copies stay ranges: a variable, a cell element
r = 0:0.1:0.3;
y = r; disp(y)
c = {r}
disp(c{1})
% results of operations, indexing and changes are matrices
disp(-r)
disp(r + 1)
disp(r * 2)
disp([r])
disp(r(1:4))
r(2) = 0.1; disp(r)
q = 0:0.1:0.3;
q'
z = q;
z(end+1) = 1
% ranges of characters are text
s = 'a':'e'
t = 'a':2:'g'
u = 97:'c'
for c = 'a':'c'
  disp(c)
end
for c = 'x':'z', fprintf('%s|', c); end
fprintf('\n');
n = numel('a':'z')
v = double('a':'c')
w = ['<' 'a':'d' '>']
e = 'c':'a'
size(e)
