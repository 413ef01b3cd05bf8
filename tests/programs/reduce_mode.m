% mode: the most frequent value, the smallest of equally frequent ones
% precision-independent
m = mode([1 2 2 3 3])
[m, f] = mode([1 2 2 3 3])
[m, f] = mode([3 3 1 1 2])
[m, f] = mode([4 1 4 2 1 4])
A = [1 2; 1 3; 2 3];
[m, f] = mode(A)
[m, f] = mode(A, 2)
[m, f] = mode(A, 3)
mode([3 1 2 4])
mode([-1 -1 2 2])
[m, f] = mode(5)
% NaN never equals another NaN
[m, f] = mode([NaN NaN 1])
[m, f] = mode([NaN NaN])
[m, f] = mode([1 NaN 2 NaN 2])
% -0 and 0 are one value
mode([-0 0 1])
% complex: first in sorted order
[m, f] = mode([1+1i 1-1i 2 2 1-1i 1+1i])
mode([true false true])
mode(zeros(3, 0))
