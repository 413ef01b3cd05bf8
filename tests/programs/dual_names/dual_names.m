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
