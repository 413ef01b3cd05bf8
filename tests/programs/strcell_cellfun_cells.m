% precision-independent
% cellfun with UniformOutput false gives a cell, for a handle as for a name; a
% name cellfun has always known, given as text, still gives an array
c = {'apple', 'kiwi', 'banana'};
u = cellfun(@upper, c, 'UniformOutput', false)
t = cellfun('strtrim', {' a', 'b '}, 'Uniform', 0)
e = cellfun(@isempty, {1, []}, 'UniformOutput', false)
n = cellfun(@length, {1, [1 2]}, 'UniformOutput', false)
l = cellfun(@islogical, {true, 1}, 'UniformOutput', false)
a = cellfun('isempty', {1, []}, 'UniformOutput', false)
k = cellfun(@length, c)
disp(u{3})
