% an element past the end of a structure array
s = struct('a', {1, 2});
disp(s(2).a)
y = s(3).a;
disp('not reached')
