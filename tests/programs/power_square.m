% precision-independent
% Squares and other powers element by element: negatives, NaN, Inf, zero, expansion.
x = [-3 -0.5 0 2 Inf -Inf NaN];
a = x .^ 2
b = x .^ 3
c = 2 .^ [0 1 -1]
d = [1 2; 3 4] .^ [2 1; 0 2]
e1 = (-8) .^ [2 1]
f = [4 9] .^ 0.5
