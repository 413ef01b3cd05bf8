% precision-independent
% error() with a format, raised inside a function
r = checked_sqrt(4)
r = checked_sqrt(-1)
disp('never printed')
