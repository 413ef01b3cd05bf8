function y1 = midpoint_step(f, t, y, h)
k1 = f(t, y);
y1 = y + h * f(t + h/2, y + h/2 * k1);
end
