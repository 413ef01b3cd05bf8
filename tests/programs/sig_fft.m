% Discrete Fourier transforms, forward and back.
x = [1 2 3 4];
X = fft(x)
back = real(ifft(X))
F = fft([1 0 0 0 0])
P = fft([1 2 3], 5)
T = fft([1 2; 3 4])
h = ifft([4 0 0 0])
a = abs(fft(ones(1, 8)))
