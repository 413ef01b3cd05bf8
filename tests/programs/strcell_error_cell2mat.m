% cell2mat takes elements of one class only
x = cell2mat({1, 2})
x = cell2mat({1, 'a'})
disp('not reached')
