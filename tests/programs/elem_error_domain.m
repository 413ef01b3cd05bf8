% Arguments an integer function refuses end the program with the function's message.
% precision-independent
disp(factorial(3))
factorial(-1)
