function exist_functions
% exist of function names: built-in functions 5, an M-file of the program 2,
% a subfunction and an unknown name 0
% precision-independent
disp([exist('sin'), exist('zeros'), exist('max'), exist('true'), exist('sqrt')])
disp([exist('sin', 'builtin'), exist('local_one', 'builtin'), exist('sin', 'var')])
disp([exist('file_one'), exist('local_one'), exist('no_such_name_here')])
y = file_one(2) + local_one(3)
max = 4;
disp([exist('max'), exist('max', 'var')])
if exist('sin') == 5
  disp('sin is built in')
end

function y = local_one(x)
y = x;
