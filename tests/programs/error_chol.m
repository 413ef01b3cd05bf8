% chol of a matrix that is not positive definite ends the program.
R = chol([4 2; 2 3])
R = chol([1 2; 2 1])
