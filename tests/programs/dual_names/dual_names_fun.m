function dual_names_fun(n)
% scale is an M function, and a variable once n > 5.
if n > 5
  scale = [10 20 30];
end
fprintf('%d\n', scale(2));
w = scale(3) + 1;
fprintf('%d\n', w);
if n > 5
  bump = 4;
end
fprintf('%d\n', bump);
fprintf('%d\n', feval('bump'));
fprintf('%.4f\n', tally(3));
end

function c = tally(k)
% pi is the library's until the second pass assigns it: a local function's dual read
c = 0;
for j = 1:k
  if j == 2
    pi = 3;
  end
  c = c + pi;
end
end

function r = bump()
r = -1;
end
