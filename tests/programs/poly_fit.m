% Polynomial fitting, evaluation and roots.
x = 0:4;
y = 2 * x.^2 - 3 * x + 1;
p = polyfit(x, y, 2)
v = polyval([1 -3 2], [0 1 2 3])
vm = polyval([1 0 -1], [1 2; 3 4])
r = roots([1 -6 11 -6])
rc = roots([1 0 1])
r0 = roots([0 0 1 -2])
rl = roots([2 0 0])
pe = polyval([], 3)
