% Functions named only while the program runs: str2func of built text, feval of a
% variable, names taken from a cell. The program's M-files, its local functions and
% library functions are all reachable; an unknown name fails as in M.
function handles_runtime_names
methods = {'euler_step', 'midpoint_step'};
for k = 1:numel(methods)
  f = str2func(methods{k});
  fprintf('%s: %.6f\n', func2str(f), f(@(t, y) -y, 0, 1, 0.1));
end
ops = {'sin', 'cos', 'sqrt', 'abs', 'exp', 'floor'};
for k = 1:numel(ops)
  g = str2func(ops{k});
  fprintf('%s(0.5) = %.6f, feval %.6f\n', ops{k}, g(0.5), feval(ops{k}, 0.5));
end
cfg.op = 'scale_by';
name = cfg.op;
h = str2func(name);
disp(h(3, 4))
r = feval(name, 2, 5)
nm = 'max';
[m, i] = feval(nm, [3 9 2])
[s, k] = feval(['so' 'rt'], [3 1 2])
t = feval(lower('SUM'), [1 2; 3 4])
t2 = feval('sum', [1 2; 3 4], 2)
n = cellfun(str2func('numel'), {1:3, 'ab'})
v = arrayfun(str2func(['ab' 's']), [-1 2 -3])
h2 = str2func(['twice' '_local']);
disp(h2(21))
disp(func2str(h2))
c = cellfun(str2func('twice_local'), {1, 2})
w = feval('twice_local', 5)
q = feval(['twice' '_local'], 6)
fl = str2func('twice_local')
st.fn = str2func(ops{3});
disp(st.fn(16))
try
  u = str2func(['no' 'such_fn']);
  u(1)
catch e
  disp(e.message)
end
try
  u2 = str2func('nosuch_literal');
  disp(func2str(u2))
  u2(2)
catch e
  disp(e.message)
end
try
  feval(['no' 'such_fn'], 1)
catch e
  disp(e.message)
end
try
  g = str2func(ops{1});
  [a, b] = g(1);
catch e
  disp(e.message)
end
end

function y = twice_local(x)
y = 2 * x;
end
