% Logarithms of negative, zero, infinite and NaN elements; [f,e]=log2(x).
% precision-independent
x = [-4 -1 0 0.25 1 8 Inf NaN];
log2(x)
log10(x)
log1p([-3 -1 -0.5 0 1e-10 1 Inf])
log2([1 2 1024])
log10([1 10 1e-5])
y = log2([])
[f, ex] = log2([0 1 -3 8 0.1 Inf -Inf NaN])
[f, ex] = log2(3+4i)
expm1([-Inf -1 0 1e-10 1 Inf NaN])
expm1(1i)
log10(-100)
log1p(-2)
