% addpath with literal folders: the program's functions are found there, below a
% genpath folder too (and in a private folder of theirs); genpath leaves private
% folders out.
addpath('tools');
addpath(genpath('lib'));
disp(scale_up(4))
disp(deep_one(2))
rmpath('tools');
p = genpath('lib')
