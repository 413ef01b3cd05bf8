function s = add_item(s, item)
s.items{end+1} = item;
