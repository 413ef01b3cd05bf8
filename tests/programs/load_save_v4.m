% precision-independent
% a version 4 MAT-file round trip
a = [8 1 6; 3 5 7; 4 9 2];
b = [10; 20; 30];
save old4 -v4 a b
a = 0;
b = 0;
load old4 a b
a
b
