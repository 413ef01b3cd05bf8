% precision-independent
% nargin and nargout: defaults for missing inputs, work skipped for missing outputs
y = power_of(3)
y = power_of(3, 3)
[s, p] = stats([1 2 3 4]);
s
p
s = stats([1 2 3 4])
report();
report(1);
report(1, 2);
% The counts of a function named by text or by a handle (minus the count with
% varargin or varargout), also for a name known only when the program runs.
fprintf('%d %d %d\n', nargin('power_of'), nargout('stats'), nargin(@report));
fprintf('%d %d\n', nargin('spread'), nargout('spread'));
names = {'stats', 'spread'};
for k = 1:2
  fprintf('%s: %d %d\n', names{k}, nargin(names{k}), nargout(names{k}));
end
[a, b, c] = spread(1, 2, 3);
fprintf('%d %d %d\n', a, b, c);
try
  nargin(['no' 'such']);
catch err
  disp(err.message)
end
