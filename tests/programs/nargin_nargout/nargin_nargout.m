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
