% precision-independent
% shell escapes run a command; its output appears in order with the program's
disp('before')
%KORVAL% M !echo hello from the shell
%KORVAL% C /*
system('echo hello from the shell');
%KORVAL% C */
disp('between')
%KORVAL% M !printf 'a\nb\n'
%KORVAL% C /*
system('printf ''a\nb\n''');
%KORVAL% C */
disp('after')
