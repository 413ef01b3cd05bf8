function y = scale_by(x, k)
y = x * k;
