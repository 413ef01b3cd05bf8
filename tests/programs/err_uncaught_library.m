% A library error outside any try block ends the program as before.
a = ones(2, 3);
try
  b = a * a;
catch err
  disp(err.message);
end
disp(size(a));
c = a(3, 1);
disp('never');
