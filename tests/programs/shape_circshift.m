% precision-independent
% circshift along the first non-singleton dimension, both dimensions and a given one
a = circshift([1 2 3 4 5], 2)
b = circshift([1 2 3 4 5], -1)
c = circshift([1; 2; 3], 1)
m = [1 2 3; 4 5 6; 7 8 9];
d = circshift(m, 1)
e = circshift(m, [1 1])
f = circshift(m, [0 -1])
g = circshift(m, 1, 2)
h = circshift(m, -4, 1)
% circshift along a dimension beyond the second returns x unchanged, as in MATLAB
% (Octave rejects it), so that case is left out here.
s = circshift('abcde', 3)
z = circshift([], 1)
w = circshift(zeros(0, 3), 1)
big = circshift(1:4, 100)
one = circshift(7, 5)
