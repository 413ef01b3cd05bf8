% exist for variables: optional inputs, variables before and after their assignment
% precision-independent
y = scaled(3)
y = scaled(3, 10)
fprintf('%d ', which_given(1)); fprintf('\n');
fprintf('%d ', which_given(1, 2)); fprintf('\n');
fprintf('%d ', which_given(1, 2, 3)); fprintf('\n');
s = total([4 5 6])
a = 5;
disp([exist('a'), exist('a', 'var')])
% names that are no variable: the file lookup
disp([exist('no_such_name'), exist('no_such_name', 'var'), exist('exist_vars.m')])
n = count_extra(1, 2, 3)
n = count_extra(1)
% a script variable asked for before its first assignment, and in expressions
b = exist('later')
x = exist('later', 'var') * 2
later = 4;
x = -exist('later', 'var')
sum = 3;
z = [exist('sum') exist('no_such_name'); 1 exist('later')]
