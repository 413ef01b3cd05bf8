% precision-independent
% varargout: as many outputs as the caller asks for
a = seq3()
[a, b] = seq3()
[a, b, c] = seq3()
[lo, hi] = bounds([4 -2 9 1])
s1 = stats([1 2 3])
[s, v] = stats([3 1 4 1 5 9 2 6])
[a, b, c] = stats([1 2 3])
