% Handles as engineers use them: parameters captured in closures, a model kept in a
% structure, solvers given anonymous functions, cellfun/arrayfun over data.
function handles_engineering
% A spring-damper model with its parameters captured when the handle is made.
m = 2; c = 0.8; k = 8;
sys.name = 'spring';
sys.rhs = @(t, y) [y(2); -(c * y(2) + k * y(1)) / m];
sys.energy = @(y) 0.5 * k * y(1)^2 + 0.5 * m * y(2)^2;
k = 100;   % later changes do not reach the handle
[t, y] = ode45(sys.rhs, [0 5], [1; 0]);
fprintf('%s: y(5) = %.4f, E0 = %.4f\n', sys.name, y(end, 1), sys.energy([1; 0]));
fprintf('steps > 10: %d\n', numel(t) > 10);

% The natural frequency by root finding, the damping ratio, a minimum.
wn = fzero(@(w) w^2 - 8 / 2, [0 5]);
fprintf('wn = %.6f\n', wn);
zeta = @(cc) cc / (2 * sqrt(k * m));
fprintf('zeta = %.6f\n', zeta(c));
[xmin, fmin] = fminsearch(@(p) (p(1) - 2)^2 + 3 * (p(2) + 1)^2 + 1, [0 0]);
fprintf('min at %.3f %.3f value %.4f\n', xmin(1), xmin(2), fmin);
area = integral(@(x) exp(-x.^2), 0, 2);
fprintf('area = %.6f\n', area);

% A handle factory and a cell of handles.
g = make_gain(2.5);
fprintf('gain: %.2f\n', g(4));
filters = {@(x) x, @(x) 2 * x, @(x) x.^2, g};
for i = 1:numel(filters)
  fprintf('%d: %s -> %g\n', i, func2str(filters{i}), filters{i}(3));
end
outs = cellfun(@(f) f(2), filters)

% cellfun and arrayfun over data.
names = {'alpha', 'be', 'gamma'};
lens = cellfun(@length, names)
up = cellfun(@(s) upper(s(1)), names, 'UniformOutput', false)
[mx, ix] = cellfun(@max, {[1 5 2], [7 3], 4})
pts = struct('x', {1, 2, 3}, 'y', {4, 5, 6});
d = arrayfun(@(p) hypot(p.x, p.y), pts);
fprintf('%.4f ', d); fprintf('\n');
sq = arrayfun(@(v) v^2, 1:4)
pairs = arrayfun(@(a) [a, a * 10], 1:3, 'UniformOutput', false);
disp(pairs{3})
safe = cellfun(@(x) x * 2, {1, 'a', [1 2]}, 'ErrorHandler', @(e, varargin) -1, 'UniformOutput', false);
disp(safe{1}); disp(safe{3});
compose = @(f, h) @(x) f(h(x));
sq_then_inc = compose(@(x) x + 1, @(x) x^2);
fprintf('compose: %d\n', sq_then_inc(3));
acc = 0;
for v = [1 2 3]
  step = @(a) a + v;
  acc = step(acc);
end
fprintf('acc = %d\n', acc);
end

function g = make_gain(K)
g = @(x) K * x;
end
