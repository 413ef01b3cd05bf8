% precision-independent
% expression statements display their value as ans
3 + 4
[1 2] * 2
'abc'
x = 5;
x
x + 1
