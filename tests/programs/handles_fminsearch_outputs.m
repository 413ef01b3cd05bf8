% fminsearch's fourth output: the iterations, function calls, algorithm and message.
[xm, fv, ef, out] = fminsearch(@(x) (x(1)-1)^2 + (x(2)-2)^2, [0 0]);
printf('%.3f %.3f %d %d\n', xm, ef, out.iterations > 0);
disp(out.algorithm);
disp(fieldnames(out)');
