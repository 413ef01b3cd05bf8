% display of real matrices: integers, negatives, fractions, mixed magnitudes
A = [1 2 3; 4 5 6]
B = [-1 2; 3 -4]
C = [1.5 2.25; -3.125 4]
v = [1; 2; 3]
w = [0.001 0.002]
big = [1 1000000]
mixed = [1e-3 1 1e3]
small = [1e-8 2e-8]
huge = [1e10 2e10; 3e10 4e10]
neg = -[1 2 3]
z = zeros(2, 3)
