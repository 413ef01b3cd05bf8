% precision-independent
% strings: concatenation, comparison, conversions
a = 'hello';
b = 'world';
c = [a ' ' b]
length(c)
a == 'hxllo'
n = num2str(42)
m = num2str(3.14159)
k = int2str(2.7)
s = sprintf('%d-%d', 3, 4)
t = [a, num2str(7)]
u = a(end:-1:1)
numel(a)
