% precision-independent
% wide matrices split into column chunks at the terminal width
v = 1:30
w = (1:25) * 1000
m = reshape(1:40, 2, 20)
% integer and logical arrays of zeros only are split at 40 columns
z = false(1, 41)
y = int8(zeros(2, 30))
x = false(1, 30)
