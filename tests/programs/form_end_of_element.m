% end in an index of an indexed operand: cell elements, nested cells, groups.
c = {[1 2 3], [4 5 6 7]};
i = 2;
a = c{i}(end)
b = c{i}(2:end)
f = c{i}(1,end)
g = c{end}(end-1)
x = magic(4);
p = 1;
y = x(:, end-1:(end+p-1))
z = x([1 end], end)
n = {1, {2, [3 4 5]}};
w = n{end}{end}
v = n{end}{end}(end)
s.c = {1, {8, 9}};
u = s.c{end}{end}
