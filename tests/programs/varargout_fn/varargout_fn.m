% precision-independent
% varargout: as many outputs as the caller asks for
a = seq3()
[a, b] = seq3()
[a, b, c] = seq3()
[lo, hi] = bounds([4 -2 9 1])
