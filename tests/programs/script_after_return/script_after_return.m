% A function that may return early and then runs a script.
show(1);
show(-1);
fprintf('%g\n', scaled_total(3));
fprintf('%g\n', scaled_total(0));
