% precision-independent
% Time functions: shapes and plausible values, not the changing values themselves.
c = clock;
n = numel(c)
year_ok = c(1) >= 2000
d = date;
len = length(d)
dash = d(3) == '-' && d(7) == '-'
t0 = clock;
pause(0);
e = etime(clock, t0) >= 0
ct = cputime >= 0
tic;
el = toc >= 0
