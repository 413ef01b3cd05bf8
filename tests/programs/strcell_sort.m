% sort, sortrows and unique of cells of strings: the results are cells, the indices
% numbers (i and j of unique are columns for a row cell too)
c = {'pear', 'apple', 'fig', 'apple', 'pear'};
u = unique(c)
[u, i, j] = unique(c)
isequal(u(j), c)
[u, i, j] = unique(c')
[u, i, j] = unique(c, 'last')
[u, i] = unique(c, 'stable')
% a matrix cell gives a column
[u, i, j] = unique({'x', 'y'; 'x', 'z'})
% one element
[u, i, j] = unique({'b'})
% sort: by character codes, '' first and upper case before lower case; ties keep
% their order, descending too
s = sort({'B', 'a', 'A', 'b', '', 'ab'})
[s, k] = sort(c)
[s, k] = sort(c', 'descend')
[s, k] = sort({'b', 'a'; 'a', 'c'})
s = sort({'b', 'a'; 'a', 'c'}, 2)
s = sort(cell(0, 3))
% sortrows of a column of strings
[r, k] = sortrows(c')
r = sortrows(c', -1)
% sortrows of a table-like cell: by names and numbers, columns named or all of them
[r, k] = sortrows({'bob', 31; 'al', 25; 'cy', 31}, [-2 1])
r = sortrows({'b', 2; 'a', 1; 'c', 0}, 2)
r = sortrows({'b', 'x'; 'a', 'y'; 'b', 'a'})
r = sortrows({'b', 'x'; 'a', 'y'; 'b', 'a'}, -1)
try
  sortrows({'b', 2; 'a', 'x'}, 2)
catch err
  disp(err.message)
end
% the results are cells to index and to loop over
w = sort(c);
first = w{1}
for k = 1:numel(u)
  fprintf('%s;', u{k});
end
fprintf('\n');
t = c';
size(t)
