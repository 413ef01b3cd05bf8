% optimset and odeset give structures the solvers take and the program reads.
o = optimset('TolX', 1e-10, 'display', 'off')
fprintf('%g\n', o.TolX);
o2 = optimset(o, 'maxiter', 50);
disp(fieldnames(o2)')
fprintf('%g %g\n', optimget(o2, 'MaxIter'), optimget(o2, 'TolFun', 7));
disp(isempty(optimget(o2, 'TolFun')))
x = fzero(@(x) cos(x) - x, [0 1], o);
fprintf('%.8f\n', x);
[xm, fv] = fminsearch(@(p) (p(1) - 1)^2 + (p(2) + 2)^2, [0 0], optimset('TolX', 1e-8, 'TolFun', 1e-8));
fprintf('%.4f %.4f\n', xm(1), xm(2));
xb = fminbnd(@(x) (x - 2)^2, 0, 5, optimset('TolX', 1e-8));
fprintf('%.6f\n', xb);
p = odeset('RelTol', 1e-8, 'AbsTol', 1e-10);
disp(class(p))
fprintf('%g %d\n', p.RelTol, isempty(p.MaxStep));
fprintf('%g\n', odeget(p, 'RelTol'));
p2 = odeset(p, 'MaxStep', 0.1);
fprintf('%g %g\n', p2.RelTol, p2.MaxStep);
[t, y] = ode45(@(t, y) -2 * y, [0 1], 1, p);
fprintf('%.6f\n', y(end));
sol = ode45(@(t, y) [y(2); -y(1)], [0 pi], [0; 1]);
disp([isfield(sol, 'x'), isfield(sol, 'y'), isfield(sol, 'solver')])
disp(sol.solver)
fprintf('%d %d\n', size(sol.y, 1), size(sol.x, 1));
fprintf('%.3f %.3f\n', sol.x(end), sol.y(1, end));
sol23 = ode23(@(t, y) -y, [0 2], 1);
disp(sol23.solver)
fprintf('%.3f\n', sol23.y(end));
