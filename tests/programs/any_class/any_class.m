% a parameter that is a char in one call and a cell in the next, and a cell that
% goes into a function and comes back out
disp(describe('abc'))
c1 = {1, 'x'};
disp(describe(c1))
disp(describe(int8(3)))
c = {1, 'two'};
c2 = grow(c, 3);
disp(numel(c2))
disp(class(c2))
c2
[u1, n1] = tally({'b', 'a', 'b', 'c', 'b'})
[u2, n2] = tally([3 1 3])
