% median: middle values, averages of the two middle ones, NaN
% precision-independent
m = median([3 1 2])
median([3 1 2 4])
median([3; 1; 2; 10])
A = [3 1; 2 5; 9 0];
median(A)
median(A, 1)
median(A, 2)
median(A, 3)
median([3 1 2; 8 9 7], 2)
median(5)
median([-2 -1])
% NaN anywhere gives NaN; Inf takes part
median([1 NaN 3])
median([1 3; NaN 4])
median([1 Inf 3 Inf])
median([-Inf Inf])
median([Inf Inf])
median([-Inf 1 2])
% complex values sort by magnitude
median([1+2i 3 2])
median([1+2i 3 2 1i])
