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
a = reshape(1:12, 3, 4);
b = mat2cell(a, [1 2], [3 1])
b2 = mat2cell(a, [2 1])
b3 = mat2cell('abcdef', 1, [2 4])
b4 = mat2cell({1, 'two', 3}, 1, [1 2])
b5 = mat2cell(int8(a), 3, [2 2]);
disp(class(b5{2}));
b6 = mat2cell(a, [0 3]);
disp(size(b6{1}))
