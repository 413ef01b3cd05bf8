% precision-independent
% error() stops the program with its message
disp('working')
error('something went wrong')
disp('never printed')
