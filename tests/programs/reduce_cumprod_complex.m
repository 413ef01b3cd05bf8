% cumprod of complex values: the running product may turn real again
% precision-independent
z = cumprod([1+2i 3; 2 1i])
cumprod([1i 1i 1i 1i])
cumprod([2i; -1i], 1)
cumprod([1+1i 1-1i 2], 2)
