% A name that is a variable on one path and a function on another: each read
% decides when it runs whether the variable holds a value.
dual_names_fun(2);
dual_names_fun(9);
% The library's e and i, assigned only on a path not taken.
v = 3;
if v > 100
  e = 5;
  i = 7;
end
printf('%.4f\n', e);
z = 2 * i;
disp(z)
if v < 100
  e = 5;
end
printf('%.4f\n', e + 1);
% i first assigned in a nested block, then read in a range inside an index and a
% matrix: the run-time test stands as one operand there
p = 1:5;
k = 0;
while k < 2
  k = k + 1;
  if k == 1
    i = 2;
  else
    for i = 3:4
      t = p(1);
      p(1:i) = [p(2:i) t];
    end
  end
end
disp(p)
