% cells of different sizes cannot be joined
x = strcat({'a', 'b'}, {'1', '2', '3'})
