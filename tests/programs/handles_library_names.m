% Library functions called through names held in data: interpolation, polynomials,
% grids and text, each with the inputs programs give them.
ops = {'interp1', 'polyval', 'linspace', 'trapz', 'conv', 'repmat', 'mat2str', 'range'};
f = str2func(ops{1});
v = f([1 2 3], [10 20 30], 2.5)
v = feval(ops{1}, [2 4 8], 1.5)
v = feval(ops{1}, [1 2 3], [10 20 30], 4, 'linear', 'extrap')
v = feval(ops{2}, [1 0 -1], [0 1 2])
p = feval('polyfit', [1 2 3], [2 4 6], 1);
printf('%.4f %.4f\n', p);
v = feval(ops{3}, 0, 1, 5)
v = feval(ops{4}, [1 2 3])
v = feval(ops{5}, [1 1], [1 -1])
v = feval(ops{6}, [1 2], 2, 2)
s = feval(ops{7}, [1.5 2; 3 4])
r = feval(ops{8}, [3 9 1])
t = feval('strrep', 'a-b-c', '-', '+')
g = cellfun(@(n) feval(n, [4 1 3]), {'max', 'min', 'range'})
