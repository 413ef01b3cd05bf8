% precision-independent
% a script that runs scripts, which see and change the caller's variables
x = 2;
setup_values
disp(y)
double_it
x
double_it
x
