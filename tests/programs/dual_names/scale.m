function y = scale(k)
y = 100 * k;
end
