% optimset with a solver's name gives that solver's options and defaults; they can be
% changed and handed to the solver.
o = optimset('fzero')
o2 = optimset('fminsearch')
o3 = optimset('fminbnd')
p = optimset(optimset('fzero'), 'TolX', 1e-10);
x = fzero(@(x) x.^2 - 2, [0 2], p);
fprintf('%.8f\n', x);
q = optimset(optimset('fminsearch'), 'Display', 'off');
xm = fminsearch(@(v) (v(1) - 1).^2 + (v(2) + 2).^2, [0 0], q);
fprintf('%.3f %.3f\n', xm);
xb = fminbnd(@(t) (t - 0.3).^2, 0, 1, optimset('fminbnd'));
fprintf('%.4f\n', xb);
disp(optimget(o, 'TolX') == eps)
disp(fieldnames(optimset('lsqnonneg')))
try
  optimset('nosuch_solver')
catch e
  disp(e.message)
end
