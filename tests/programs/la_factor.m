% LU, QR and Cholesky factorisations.
A = [4 3; 6 3];
[L, U] = lu(A)
[L, U, P] = lu(A);
PA = P * A
S = [4 12 -16; 12 37 -43; -16 -43 98];
R = chol(S)
[Q, R] = qr([3 1; 4 2]);
QR = round(Q * R * 1e10) / 1e10
absR = abs(R)
