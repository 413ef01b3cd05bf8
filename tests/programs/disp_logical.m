% precision-independent
% display of logical values
t = true
f = false
v = [1 2 3] > 2
m = [1 0; 0 1] == 1
n = ~[true false]
a = 3 == 3
