% QR of a tall matrix, full and economy size: shapes and reassembly.
A = [1 2; 3 4; 5 6];
[Q, R] = qr(A);
sq = size(Q)
sr = size(R)
err = norm(Q * R - A) < 1e-12
[Q0, R0] = qr(A, 0);
s0 = size(Q0)
orth0 = norm(Q0' * Q0 - eye(2)) < 1e-12
up = R0(2, 1)
