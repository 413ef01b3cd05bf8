% an element assigned from a structure with other fields
s = struct('a', {1, 2});
t.b = 1;
s(2) = t;
disp('not reached')
