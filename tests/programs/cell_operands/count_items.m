function n = count_items(items)
n = numel(items);
