% fprintf to standard output: id 1, recycling the format, matrices by columns.
fprintf(1, 'one %d\n', 1);
fprintf('%d %d\n', [1 2; 3 4]);
fprintf('%s\n', 'text');
fprintf('%5.1f|%5.1f\n', [1.25 2.5 3.75]);
fprintf('\n');
fprintf('no newline');
fprintf('\n%d%%\n', 50);
n = fprintf('%s', 'abc');
fprintf('\n');
n
