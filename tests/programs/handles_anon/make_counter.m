function c = make_counter(step)
% a structure whose field inc is a handle that takes the structure and counts
c.n = 0;
c.inc = @(s) setfield(s, 'n', s.n + step);
