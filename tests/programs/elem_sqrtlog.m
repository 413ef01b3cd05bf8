% Square roots and logarithms of negative numbers give complex results.
s = sqrt([4 -4 0])
l = log([-1 1])
p = (-8)^(1/3)
q = [-1 4] .^ 0.5
e1 = exp(1i * pi / 2)
a = abs([-3 3+4i])
g = sign([-2 0 3 NaN])
sc = sign(3 + 4i)
