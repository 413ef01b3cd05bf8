% A size that is not a whole number ends the program.
A = rand(2, 2.5, 2);
disp(size(A))
