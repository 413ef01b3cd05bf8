% precision-independent
% operands of non-conforming sizes
a = [1 2];
b = [1 2 3];
disp('adding')
c = a + b
