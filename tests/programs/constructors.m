% precision-independent
% built-in constructors and reshaping
zeros(2)
zeros(2, 3)
ones(2, 1)
% Octave prints eye's result as a "Diagonal Matrix"; MATLAB prints a full
% matrix, as this library does, so the brackets make Octave's result full too.
[eye(3)]
[eye(2, 3)]
linspace(0, 1, 5)
linspace(1, 10, 4)
repmat([1 2], 2, 2)
reshape(1:6, 2, 3)
reshape(1:6, 3, 2)
ones(0, 2)
