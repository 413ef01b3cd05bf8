% demo.m: a short tour of an M program that KORVAL turns into an executable.
% It calls two function files (stats.m, fact.m) and a script (multab.m).

disp('KORVAL demo')

% A function with two outputs.
x = [3 1 4 1 5 9 2 6];
[m, s] = stats(x)

% Loops filling a matrix, then matrix arithmetic.
A = zeros(3, 4);
for i = 1:3
  for j = 1:4
    A(i, j) = 10*i + j;
  end
end
A
B = A' * A;
disp(B(2, 3))

% A while loop over a recursive function.
n = 0;
while fact(n) < 1000
  n = n + 1;
end
fprintf('%d! = %d is the first factorial above 1000\n', n, fact(n));

% Strings.
name = ['kor' 'val'];
fprintf('%s has %d letters\n', name, length(name));
label = sprintf('pi is about %5.3f', pi)

% Logical masks.
big = x > 3
picked = x(big)

% A script sees and changes this workspace.
rows = 4;
multab
fprintf('the table sums to %g\n', total);
