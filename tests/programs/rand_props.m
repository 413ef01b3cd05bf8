% precision-independent
% random numbers: sizes and ranges, not values
r = rand(3, 4);
size(r)
all(r(:) >= 0 & r(:) < 1)
size(rand(2))
size(rand)
n = randn(100, 1);
size(n)
all(n > -10 & n < 10)
