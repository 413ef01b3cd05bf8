% precision-independent
% a cell inside a cell: c{i}{k} reads its elements, to any depth, and the shape
% and class questions see the inner cell
x = {{1} {2, 3}}
y = {{1}, {'a'}};
z = y{2}{1}
w = x{2}{2} + 1
n = numel(x{2})
q = {1, {2, {3, 4}}};
d = q{2}{2}{1}
a = numel(x{2})
b = size(x{2})
c = length(x{2})
d = isempty(x{2})
e = iscell(x{2})
f = class(x{2})
g = iscellstr(x{1})
h = isempty(x{1})
