% inference-checked
% Functions proven to give a real double scalar from real double scalars also run on
% C++ doubles; callers see the same argument counts, results and error stacks.
fprintf('%d\n', fib(20));
sq(3);
fprintf('%d %d\n', counts(1), counts(1, 2));
[a, b] = counts(5);
fprintf('%d %d\n', a, b);
sq(4)
fprintf('%g\n', pick(2));
try
  pick(7);
catch e
  disp(e.message);
  fprintf('%s line %d\n', e.stack(1).name, e.stack(1).line);
end
fprintf('%g %g\n', collatz(27), collatz(1));
fprintf('%g\n', fib(-3));
