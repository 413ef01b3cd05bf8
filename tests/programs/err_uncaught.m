% An error nothing catches ends the program: output so far, then status 1.
disp('before');
try
  error('Caught:one', 'first');
catch err
  disp(err.message);
end
x = [1 2 3];
disp('still running');
error('Final:error', 'the end with %d', 42);
disp('never');
