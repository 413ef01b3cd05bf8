% cell2mat of cells of three and four dimensions; empty structure arrays of more
% than two dimensions, shown and measured.
c = {1,2}; c(:,:,2)={[1 2],3};
try, cell2mat(c), catch err, disp(err.message), end
x = cell2mat(cell(0,3,2))
l = {true; false}; l(:,:,2) = {false; true};
y = cell2mat(l)
class(y)
w = {'ab', 'c'}; w(:,:,2) = {'de', 'f'};
z = cell2mat(w)
c = cell(2,2,2);
for k = 1:8
  c{k} = k * [1 1];
end
m = cell2mat(c)
size(m)
d = {1, 2; 3, 4};
d(:,:,2) = {5, 6; 7, 8};
cell2mat(d)
e = num2cell(reshape(1:12, 2, 3, 2));
x = cell2mat(e)
s = struct('a', cell(0,3,2))
size(s)
t = struct('a', cell(0,3,2), 'b', 5)
disp(s)
r = repmat(struct('q', 1), [2 0 3])
z = struct('a', {})
