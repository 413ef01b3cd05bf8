% num2str and int2str of matrices with negatives, fractions and mixed widths.
a = num2str([1 -2 3])
b = num2str([0.5 -0.25])
c = num2str([1 100; -10 1000])
d = int2str([1.5 2.5; -0.5 99.4])
e1 = num2str([1e-3 1])
f = num2str(-[1 2; 3 4])
