% precision-independent
% multiple assignment from built-ins and from functions with several outputs
A = [1 2 3; 4 5 6];
[r, c] = size(A)
[m, i] = max([4 9 2 9])
[s, k] = sort([3 1 2]);
s
k
[q, rem_] = divide(17, 5)
[q2, r2] = divide(20, 4);
fprintf('%d %d\n', q2, r2);
[a, b, c] = three();
disp([a b c])
[a, b] = three();
disp([a b])
