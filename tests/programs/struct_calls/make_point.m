function p = make_point(x, y)
p = struct('x', x, 'y', y);
