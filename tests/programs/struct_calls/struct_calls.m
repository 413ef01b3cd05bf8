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
