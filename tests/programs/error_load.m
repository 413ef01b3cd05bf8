% precision-independent
% loading a MAT-file that does not exist
disp('loading')
load no_such_file x
disp(x)
