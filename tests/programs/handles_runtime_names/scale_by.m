function y = scale_by(x, a)
y = a * x;
end
