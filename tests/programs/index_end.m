% precision-independent
% end in indices: last elements, ranges, growth past the end, nested uses.
x = 1:6;
a = x(end)
b = x(end-2:end)
x(end+1) = 7
A = reshape(1:12, 3, 4);
c = A(end, :)
d = A(:, end)
e1 = A(end)
f = A(end, end)
g = x(x(end) - 5)
