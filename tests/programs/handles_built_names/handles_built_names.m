% Function files reached only through names built while the program runs: none of
% them is quoted anywhere, so each must be found by its file name in the folder.
for k = 1:3
  f = str2func(sprintf('model_%d', k));
  printf('%s(2) = %g\n', func2str(f), f(2));
end
kinds = {'square', 'cube'};
for k = 1:numel(kinds)
  name = kinds{k};
  printf('f_%s(3) = %g\n', name, feval(['f_' name], 3));
end
% Two outputs from a file function reached by a built name.
[s, p] = feval(strcat('sum', 'prod'), [1 2 3 4]);
printf('sum %g prod %g\n', s, p);
h = str2func(['f_' 'cube']);
disp(class(h));
v = arrayfun(h, 1:3)
% Library functions by names known only while the program runs, with several outputs.
lib = {'size', 'sort', 'unique', 'find', 'max'};
x = zeros(2, 3, 4);
[r, c, p] = feval(lib{1}, x)
[r, c] = feval(lib{1}, x)
[s, i] = feval(lib{2}, [3 1 2], 'descend')
[u, i, j] = feval(lib{3}, [5 3 5 1])
[r, c, v] = feval(lib{4}, [0 7; 9 0])
[m, k] = feval(lib{5}, [4 9 2])
[X, Y] = feval(['mesh' 'grid'], 1:3, 1:2)
[A, B, C] = feval('ndgrid', 1:2)
[tf, loc] = feval('ismember', [1 4 2], [2 1])
[c, ia, ib] = feval('intersect', [1 2 3], [3 1 5])
[d, n, e] = feval('fileparts', '/tmp/data/run.csv')
r = feval('range', [4 -1 7])
try
  feval(sprintf('model_%d', 9), 1);
catch err
  disp(err.message);
end
