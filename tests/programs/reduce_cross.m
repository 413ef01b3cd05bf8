% cross: products of 3-element vectors and of 3-element columns or rows
% precision-independent
cross([1 2 3], [4 5 6])
cross([1; 2; 3], [4; 5; 6])
c = cross([1 0 0], [0 1 0])
% a row and a column give a column
cross([1 2 3], [4; 5; 6])
cross([1; 2; 3], [4 5 6])
% matrices: the first dimension of length 3, or the one given
cross([1 2 3; 4 5 6], [7 8 9; 1 2 3])
cross([1 2; 3 4; 5 6], [7 8; 9 1; 2 3])
cross([1 2 3; 4 5 6], [7 8 9; 1 2 3], 2)
cross(eye(3), eye(3))
cross(eye(3), ones(3), 1)
cross([1 2 3], [4 5 6], 2)
% complex values are not conjugated; NaN and Inf propagate
cross([1+1i 2 3], [4 5 6i])
cross([1 NaN 3], [4 5 Inf])
cross([true false true], [1 2 3])
