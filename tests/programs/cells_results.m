% Functions that give cells: their results are cells in the program too.
c = num2cell([1 2; 3 4])
n = numel(c)
s = cellstr(['ab ';'cde'])
t = s{2}
r = strrep({'aa','ba'}, 'a', 'x')
[tok, rest] = strtok({'a b','c d'})
w = fliplr({'x', 'y', 'z'})
q = reshape(num2cell(1:4), 2, 2)
k = cellfun(@isempty, {1, [], 'x'})
l = cellfun(@length, {1:3, [], 'ab'})
m = cellfun('isempty', r)
e1 = cell(1, 2)
p = strfind({'abcab', 'b'}, 'b')
