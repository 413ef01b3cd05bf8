% cross of vectors without 3 elements stops the program
% precision-independent
disp(cross([0 0 1], [1 0 0]))
cross([1 2], [3 4])
disp('not reached')
