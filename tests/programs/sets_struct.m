% precision-independent
% isstruct and isfield of structures the program built, of nested structures, and of
% values that are not structures
s.alpha = 1;
s.beta = 'text';
s.gamma.inner = 3;
t = isstruct(s)
f = isfield(s, 'alpha')
f = isfield(s, 'inner')
f = isfield(s, 'gamma')
f = isfield(s, {'alpha', 'delta'; 'gamma', 'beta'})
f = isfield(s, {'beta', 5})
f = isfield(s, 5)
x = 5;
t = isstruct(x)
f = isfield(x, 'alpha')
f = isfield(x, {'alpha', 'beta'})
s.gamma.deep.x = 1;
s.zeta.q = 2;
f = isfield(s.gamma, {'inner', 'alpha', 'deep', 'x'})
f = isfield(s.gamma.deep, 'x')
f = isfield(s.zeta, 'q')
t = isstruct(s.gamma)
opts.max_iter = 100;
opts.tol = 1e-6;
f = isfield(opts, {'max_iter', 'tol', 'iter'})
c = {1, 2};
t = isstruct(c)
if isfield(s, 'beta')
  disp(s.beta)
end
