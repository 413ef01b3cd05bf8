% Cells of three dimensions through num2cell, cellfun and arrayfun
c = num2cell(reshape(1:8, 2, 2, 2));
disp(size(c))
n = cellfun(@(x) x * 2, c);
disp(size(n)); disp(n(:,:,2))
u = cellfun(@(x) [x x], c, 'UniformOutput', false);
disp(size(u))
s = struct('a', num2cell(reshape(1:8, 2, 2, 2)));
a = arrayfun(@(e) e.a + 1, s);
disp(size(a))
z = iscell(c(:,:,1))
k = c(:, :, end);
disp(k{2, 2})
