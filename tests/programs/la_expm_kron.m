% Matrix exponential and Kronecker products.
E = expm(zeros(2)) + 0
F = expm([1 1; 0 1])
G = expm([0 1; -1 0])
K = kron([1 2; 3 4], [1 1])
K2 = kron([1; 2], [1 -1; 0 1])
k3 = kron(2, [1 2 3])
