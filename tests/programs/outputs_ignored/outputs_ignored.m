% ~ in place of outputs and inputs: the function still counts the place
% precision-independent
x = [3 1 2 5 4];
[~, i] = max(x)
[~, k] = sort(x, 'descend');
disp(k)
[~, ~, v] = find([0 7; 8 0])
[r, ~] = size(ones(3, 4))
[a, ~] = two_out(2)
[~, ~, c] = three_out(1)
[~] = three_out(5);
names = {'pear', 'apple', 'fig'};
[~, j] = sort(names)
[~, u] = unique([4 4 1 9 1])
s = skip_first(10, 20)
s = skip_first(10)
