% A call with more inputs than the function takes fails only when it is reached;
% functions that take any number of inputs take them all.
% (The interpreter goes on with ".  Correct usage is:" and the help text; a compiled
% program has no help text and ends the message at the name.)
x = [4 9 16];
if numel(x) > 3
  y = sqrt(x, 2);
  z = max(x, [], 2, 1);
end
s = sprintf('%d %d %d %d %d %d %d %d %d %d %d %d %d %d %d %d', 1:16);
fprintf('%s|%d|%d|%d|%d|%d|%d|%d|%d|%d|%d|%d|%d|%d|%d|%d\n', s, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16);
w = horzcat(1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11)
v = vertcat(1, 2, 3, 4, 5, 6, 7, 8, 9, 10)';
disp(v)
t = isequal(1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1)
c = strcat('a', 'b', 'c', 'd', 'e', 'f', 'g', 'h', 'i', 'j', 'k')
disp(sqrt(x))
y = sqrt(x, 2)
disp('not reached')
