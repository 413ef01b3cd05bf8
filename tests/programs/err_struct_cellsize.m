% struct() with cell values of different sizes
s = struct('a', {1, 2}, 'b', {1, 2, 3});
disp('not reached')
