% an ASCII save writes the numbers as text, eight digits after the point
x = [1 2.5; -3 400];
save xa.txt x -ascii
%KORVAL% M !cat xa.txt
%KORVAL% C /*
system('cat xa.txt');
%KORVAL% C */
v = [0.125 1e-3 12345];
save va.txt v -ascii
%KORVAL% M !cat va.txt
%KORVAL% C /*
system('cat va.txt');
%KORVAL% C */
