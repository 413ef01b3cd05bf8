% What a program knows about itself and the machine it runs on, and the checks of
% its argument counts.
name = mfilename
disp(mfilename)
checkargs(1)
checkargs(1, 2)
[a, b] = twice(3);
disp([a b])
m = nargchk(1, 2, 3)
m = nargchk(1, 2, 0)
m = nargchk(1, 2, 1, 'string')
size(nargchk(1, 2, 2))
m = nargoutchk(0, 1, 2)
m = nargoutchk(1, Inf, 0)
u = isunix
p = ispc
k = ismac
c = computer
c = computer('arch')
[c, mx, e] = computer;
e
setenv('KORVAL_PROGRAM_VAR', 'abc');
v = getenv('KORVAL_PROGRAM_VAR')
setenv('KORVAL_PROGRAM_VAR')
size(getenv('KORVAL_PROGRAM_VAR'))
w = getenv('KORVAL_NOT_SET_ANYWHERE')
class(version)
clc
drawnow
close all
pause(0)
pause(-1)
disp('after pause')
checkargs()
disp('not reached')
