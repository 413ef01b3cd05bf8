% matrices displayed with a common scale factor or in e-notation
a = [1.5 100.25]
b = [10000.5 2]
c = [123456 1.5]
d = [0.00001 1]
e = [1e5 1e-5]
f = [1; 2.5; 1000.75]
g = [-1e6 0.5]
