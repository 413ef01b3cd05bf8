% Cells joined in brackets and by horzcat, vertcat and cat stay cells.
x = [{'a'}; {'b'}]
size(x)
y = [{'a'}, {'b'}]
c = {'a'};
z = [c; {'b'}]
w = vertcat(c, {'b'})
v = horzcat({1}, {'two'})
r = cat(2, {'k'}, {1})
class(r)
u = [c, {'q'}];
u{2}
w{end + 1} = 'c';
numel(w)
