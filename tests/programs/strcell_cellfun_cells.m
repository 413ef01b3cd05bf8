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
% Several outputs of UniformOutput false are cells, also in variables used as cells
v = {[3 1 2], [9 7], 5};
[s, i] = cellfun(@sort, v, 'UniformOutput', false);
disp(s{1}); disp(i{2}); disp(class(s))
[lo, hi] = arrayfun(@(x) deal(x - 1, x + 1), [1 2], 'UniformOutput', false);
disp([lo{2} hi{2}])
[p, q] = deal({1}, {'a', 'b'});
disp(numel(q))
