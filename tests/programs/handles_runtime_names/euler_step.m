function y1 = euler_step(f, t, y, h)
y1 = y + h * f(t, y);
end
