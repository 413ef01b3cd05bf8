% Random numbers: sizes, ranges and reproducible states.
rand('state', 1);
a = rand(1, 3);
rand('state', 1);
b = rand(1, 3);
same = isequal(a, b)
randn('state', 5);
c = randn(2, 2);
randn('state', 5);
d = randn(2, 2);
same_n = isequal(c, d)
s = size(rand(3, 2))
e1 = size(rand(0, 4))
inrange = all(all(rand(50) >= 0 & rand(50) < 1))
m = mean(randn(1, 20000));
near_zero = abs(m) < 0.05
sq = size(randn(3))
