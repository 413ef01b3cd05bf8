% addpath with literal folders: the program's functions are found there, below a
% genpath folder too (and in a private folder of theirs); genpath leaves private
% folders out.
addpath('tools');
addpath(genpath('lib'));
disp(scale_up(4))
disp(deep_one(2))
rmpath('tools');
p = genpath('lib')
% Package functions: +util beside the program and +geo/+shapes in a folder of the
% path; calls, a handle, cellfun, and a structure whose field has a package's name.
disp(util.twice(4))
h = @util.twice;
disp(h([1 2]))
disp(cellfun(@util.twice, {3, 5}))
a = geo.shapes.area('square', 3);
s.twice = 7; disp(s.twice)
r.util = 1; disp(r.util)
