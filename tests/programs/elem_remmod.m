% precision-independent
% rem and mod with negative operands, zero divisors, non-integers and expansion.
a = rem([5 -5 5 -5], [3 3 -3 -3])
b = mod([5 -5 5 -5], [3 3 -3 -3])
c = rem(5, 0)
d = mod(5, 0)
f = mod(-1, 3)
g = rem(5.5, 2)
h = mod([1 2 3; 4 5 6], 4)
k = mod(0, 5)
m = rem(-0, 3)
n = mod(7, [2 3 4])
