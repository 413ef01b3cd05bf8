% precision-independent
% comparisons and logical operators, element-wise and short-circuit
a = [1 2 3 4];
a > 2
a >= 2
a < 3
a <= 3
a == 2
a ~= 2
a ~= [1 0 3 0]
(a > 1) & (a < 4)
(a < 2) | (a > 3)
~(a > 2)
x = 5;
if x > 0 && x < 10
  disp('in range')
end
if x < 0 || x == 5
  disp('either')
end
~0
~5
