% real, imag, conj, angle and sign on real, complex, logical and char values.
% precision-independent
z = [3+4i -1-2i 0 5 -0 1i];
real(z)
imag(z)
conj(z)
angle(z)
angle([1 -1 0 -0 1i -1i])
sign([-2 0 3 NaN -0 Inf -Inf])
sign([3+4i -2 0 1i])
real(true)
imag([1 2 3])
conj([1 2; 3 4])
real('ab')
angle([])
sign(zeros(0,3))
abs(sign(-1i))
x = conj(2-3i)
% complex keeps a zero imaginary part and expands a scalar part
c = complex(1, 0)
c = complex([1 2], 3)
c = complex(2)
k = isreal(complex(1, 0))
c = complex(single(1), 2);
class(c)
