% LU factorisation of a 3 x 3 matrix with row exchanges, and its reassembly.
A = [1 2 3; 4 5 6; 7 8 10];
[L, U, P] = lu(A);
L
U
back = P' * L * U
d = det(A)
r = rank([1 2; 2 4.0000001])
