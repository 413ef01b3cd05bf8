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
end

function r = bump()
r = -1;
end
