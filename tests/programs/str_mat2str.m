% mat2str of scalars, matrices, precision, logicals and strings.
a = mat2str([1 2; 3 4])
b = mat2str(pi)
c = mat2str(pi, 4)
d = mat2str([1.5 -2; 0 1e-3])
e1 = mat2str([])
f = mat2str([true false])
h = mat2str([1; 2; 3])
k = mat2str(zeros(2, 0))
