% accumarray and bsxfun with any function: anonymous functions, M functions of the
% program, cells of groups, N-d subscripts, sizes and fill values.
subs = [1; 2; 1; 3; 2; 1];
vals = [10; 20; 30; 40; 50; 60];
g = accumarray(subs, vals, [], @(x) {x});
for k = 1:numel(g)
  fprintf('group %d: %s\n', k, mat2str(g{k}'));
end
class(g)
r = accumarray(subs, vals, [], @(x) max(x) - min(x))
r = accumarray(subs, vals, [4 1], @spread, -1)
r = accumarray(subs, vals, [], @(x) numel(x) > 1)
class(r)
r = accumarray(subs, vals, [], @(x) int16(sum(x)))
class(r)
r = accumarray(subs, vals, [1 4])
r = accumarray([1;2;2], [1;2;3], [2 2])
r = accumarray([1 1; 2 3; 1 1], [4 5 6], [2 3], @(x) prod(x), NaN)
r = accumarray({[1; 2; 1], [2; 1; 2]}, [4; 5; 6])
r = accumarray([1 2 1], 5)
a = accumarray([1 1 1; 2 2 2; 1 1 1], [1 2 3]);
size(a)
a(:)'
w = 0.5;
r = accumarray(subs, vals, [], @(x) w * sum(x))
r = accumarray(subs, 1)
r = accumarray(subs, vals, [], @median)
c = accumarray([2; 4], [7; 8], [], @(x) {x * 2});
size(c)
isempty(c{1})
c{4}
b = bsxfun(@(x, y) x .* y + 1, [1 2 3], [10; 20])
b = bsxfun(@scaled, [1 2; 3 4], [10 100])
b = bsxfun(@(x, y) [x y], 1, 2)
b = bsxfun(@plus, ones(2, 1, 2), [1 2 3]);
size(b)
b(:, :, 2)
b = bsxfun(@(x, y) x - y, reshape(1:4, 1, 1, 4), [1; 2]);
size(b)
squeeze(b(2, 1, :))'
b = bsxfun(@min, [3 1 2], [2; 0])
b = bsxfun(@(x, y) x + y, [1 2 3], [1 2])

