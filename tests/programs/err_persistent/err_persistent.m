% persistent variables keep their value between calls and start empty.
for k = 1:3
  fprintf('count %d\n', counter());
end
fprintf('total %g\n', running_total(5));
fprintf('total %g\n', running_total(2.5));
fprintf('total %g\n', running_total(-1));
disp(counter());
