% precision-independent
% element-wise and matrix arithmetic with scalar expansion
A = [1 2; 3 4];
B = [5 6; 7 8];
A + B
A - 1
10 - A
A * B
A .* B
A ./ B * 8
B .\ A * 8
A .^ 2
2 .^ A
A'
A.'
A * [1; 1]
[1 2 3] * [4; 5; 6]
[1; 2] * [3 4]
-A
