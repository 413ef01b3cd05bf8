% expected output written by hand
% deval reads the solution structure of ode45 and ode23 (octave-cli has no deval):
% each check compares with the exact solution, so a wrong interpolation prints 0.
sol = ode45(@(t, y) [y(2); -y(1)], [0 pi], [0; 1], odeset('RelTol', 1e-8, 'AbsTol', 1e-10));
t = [0 0.3 1 2.5 pi];
y = deval(sol, t);
disp(size(y))
fprintf('%d\n', max(max(abs(y - [sin(t); cos(t)]))) < 1e-6);
y2 = deval(t, sol, 2);
disp(size(y2))
fprintf('%d\n', max(abs(y2 - cos(t))) < 1e-6);
[v, dv] = deval(sol, 1.25);
fprintf('%d %d\n', abs(v(1) - sin(1.25)) < 1e-6, abs(dv(1) - cos(1.25)) < 1e-4);
s23 = ode23(@(t, y) -y, [0 1], 2);
fprintf('%.3f\n', deval(s23, 0.5));
% Backwards in time.
sb = ode45(@(t, y) y, [1 0], exp(1));
fprintf('%.4f\n', deval(sb, 0.5));
try
  deval(sol, 4);
catch err
  disp(err.message)
end
try
  deval(struct('a', 1), 1);
catch err
  disp(err.message)
end
