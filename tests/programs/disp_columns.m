% precision-independent
% wide matrices split into column chunks at the terminal width
v = 1:30
w = (1:25) * 1000
m = reshape(1:40, 2, 20)
