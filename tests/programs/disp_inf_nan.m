% precision-independent
% display of Inf and NaN, alone and inside matrices
a = Inf
b = -Inf
c = NaN
v = [1 Inf NaN]
w = [-Inf 2.5]
x = 1 / 0
y = -1 / 0
z = 0 / 0
m = [NaN 1; 2 Inf]
