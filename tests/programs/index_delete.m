% precision-independent
% deleting elements, rows and columns by assigning []
x = 1:6;
x(2) = []
x([1 end]) = []
A = [1 2 3; 4 5 6; 7 8 9];
A(2, :) = []
A(:, 1) = []
s = 'hello';
s(1) = []
y = 1:5;
y(y > 3) = []
