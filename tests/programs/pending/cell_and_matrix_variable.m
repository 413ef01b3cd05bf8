% A variable that holds a matrix or text in one statement and a cell in another.
x = 0;
x = {1, 'two'};
disp(class(x))
names = '';
if numel(x) > 1
  names = {'p', 'qq'};
end
fprintf('%s\n', names{:});
v = {};
v = zeros(2);
disp(v)
w = {3};
w = w{1} * 2;
disp(w)
