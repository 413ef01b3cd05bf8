function noout(x)
fprintf('x=%d\n', x);
