% Hyperbolic functions and their inverses; acosh below 1 and atanh beyond 1 are complex.
% precision-independent
x = [-2 -0.5 0 0.5 2];
sinh(x)
cosh(x)
tanh([x Inf -Inf NaN])
asinh([x Inf -Inf])
acosh([1 2 10 Inf])
acosh([-3 -1 -0.5 0 0.5 1 3])
atanh([-0.5 0 0.5])
atanh([-3 0.25 3])
atanh([-1 1])
sinh([1i 1+1i])
cosh(zeros(2,0))
acosh(NaN)
