% arrayfun and cellfun whose function gives a 1 x 1 structure or cell: the results
% join into a structure array or a cell of the inputs' shape.
function struct_arrayfun_uniform
s = struct('v', {1, 2, 3});
st = arrayfun(@(x) struct('n', x.v * 2, 'm', -x.v), s);
size(st)
[st.n]
g = arrayfun(@(x) struct('a', x), [1 2; 3 4]);
size(g)
g(2, 1).a
c = arrayfun(@(x) {x * 10}, 1:3)
class(c)
q = cellfun(@(x) struct('len', numel(x)), {'ab', 'cde'});
[q.len]
e = arrayfun(@(x) struct('a', x), zeros(1, 0))
end
