% Operands of different sizes in an element-wise operation end the program.
a = [1 2 3] + [1 2 3]
b = [1 2 3] .* [1 2]
