function p = pair
p = struct('k', {5, 6}, 'name', {'left', 'right'});
