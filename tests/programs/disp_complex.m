% display of complex scalars and matrices
z = 3 + 4i
w = -1.5 - 2i
u = 2i
v = [1+2i, 3-4i]
m = [1+1i 2; 3 4-2i]
p = (1 + 2i) * (3 - 1i)
q = sqrt(-4)
r = [0.5+1i; -2.25-0.5i]
