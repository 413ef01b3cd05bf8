% a parameter that is a char in one call and a cell in the next, and a cell that
% goes into a function and comes back out
disp(describe('abc'))
c1 = {1, 'x'};
disp(describe(c1))
disp(describe(int8(3)))
c = {1, 'two'};
c2 = grow(c, 3);
disp(numel(c2))
disp(class(c2))
c2
[u1, n1] = tally({'b', 'a', 'b', 'c', 'b'})
[u2, n2] = tally([3 1 3])
% a variable that holds a number and later a cell hands the cell's values to outputs
k = 5;
k = num2cell([10 20 30]);
[a, b, d] = k{:};
fprintf('%d %d %d\n', a, b, d);
[a, b] = k{2:3};
fprintf('%d %d\n', a, b);
k = 7;
try
  [a, b] = k{:};
catch err
  disp(err.message)
end
% a name that holds a cell and later a number, given to functions of the program
% that take a cell and a number
m = {1, 'two'};
m = grow(m, 3);
fprintf('%d elements\n', numel(m));
h = @() numel(grow(m, 4));
disp(h())
m = 4;
disp(twice_of(m))
try
  m = grow(m, 5);
catch err
  disp(err.message)
end
function y = twice_of(x)
  y = 2 * x;
end
