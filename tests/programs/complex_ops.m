% arithmetic on complex values
z = 3 + 4i;
abs(z)
z * 2
z + 1i
z * z
z / (1 + 1i)
z'
[1+1i 2]'
[1+1i 2].'
i * i
j ^ 2
w = [1 2] + 1i
sqrt(-9)
