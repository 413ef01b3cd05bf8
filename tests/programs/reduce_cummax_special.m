% cummax and cummin of complex, logical and empty values
% precision-independent
% complex values compare by magnitude
cummax([1+1i, 2, -3i])
cummin([3i, -2, 1+1i])
[m, k] = cummax([1i; -1; 1])
% logical stays logical
cummax([false true false])
cummin([true false true])
% empty values
[m, k] = cummax([])
[m, k] = cummin(zeros(0, 3))
m = cummax(zeros(3, 0), 2)
% a single element
[m, k] = cummin(5)
% equal magnitudes: the larger phase angle wins
[m, k] = cummax([1i 1 -2i -2])
[m, k] = cummin([-2 -2i 1 1i])
