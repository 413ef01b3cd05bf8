% orderfields: alphabetical, after another structure, a cell of names or a
% permutation, with the permutation as a second output.
s = struct('b', 1, 'a', 2, 'c', 3);
[t, p] = orderfields(s)
[t, p] = orderfields(s, {'c', 'a', 'b'})
t = orderfields(s, [3 1 2])
t = orderfields(s, struct('a', 0, 'c', 0, 'b', 0))
u = orderfields(struct('x', {1, 2}, 'a', {3, 4}))
u(2)
names = {'c'; 'b'; 'a'};
t = orderfields(s, names)
try, orderfields(s, {'a', 'b'}), catch e, disp(e.message), end
try, orderfields(s, {'a', 'b', 'z'}), catch e, disp(e.message), end
try, orderfields(s, [1 2]), catch e, disp(e.message), end
try, orderfields(s, [1 2 2]), catch e, disp(e.message), end
try, orderfields(s, struct('a', 1)), catch e, disp(e.message), end
try, orderfields(s, 'abc'), catch e, disp(e.message), end
try, orderfields(5), catch e, disp(e.message), end
