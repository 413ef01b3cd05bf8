function y = unfinished(x)
% Left half-written: its brackets do not pair.
y = x(1;
