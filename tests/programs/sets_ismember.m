% precision-independent
% ismember: the shape of a, the position of each match in s, NaN never a member,
% char values, and membership of rows
tf = ismember([1 5 2 7], [2 7 9])
[tf, loc] = ismember([1 5 2 7], [2 7 9])
[tf, loc] = ismember([1; 5; 7], [7 1 4])
[tf, loc] = ismember([1 2; 3 NaN], [NaN 3 2])
tf = ismember(3, [1 2 3])
tf = ismember(3, 3:-1:1)
[tf, loc] = ismember('hello', 'lo')
[tf, loc] = ismember([1 2; 3 4; 1 2; 9 9], [3 4; 1 2], 'rows')
tf = ismember([1 2 1], [1 2 1], 'rows')
x = [4 8 15 16 23 42];
if ismember(15, x)
  disp('15 is there')
end
kept = x(~ismember(x, [8 16 42]))
