% FFT of the columns of a matrix, along rows, and its inverse.
A = [1 2; 3 4; 5 6];
F = fft(A)
G = fft(A, [], 2)
back = real(ifft(fft(A)))
s = fft([1 -1 1 -1])
