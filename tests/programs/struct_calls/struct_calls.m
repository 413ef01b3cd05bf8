% structures passed to and returned from functions, by value
p = make_point(1, 2);
q = shift(p, 10);
p
q
list = add_item(struct('items', {{}}), 'a');
list = add_item(list, 'b');
numel(list.items)
list.items{2}
arr = build(3);
[arr.k]
% a call's result indexed again, then a field; a function without inputs written
% without brackets, then a field
[build(4)(2:3).k]
b2 = build(3)(2).k
kk = [pair.k]
pk = {pair.name}
m = max(pair.k)
