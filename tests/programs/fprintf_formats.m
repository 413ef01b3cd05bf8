% precision-independent
% fprintf and sprintf conversions
fprintf('%d\n', 42);
fprintf('%5d|\n', 42);
fprintf('%-5d|\n', 42);
fprintf('%f\n', 1.5);
fprintf('%.2f\n', 3.14159);
fprintf('%8.3f|\n', -2.5);
fprintf('%g %g %g\n', 0.0001, 100000, 1234567);
fprintf('%e\n', 12345.678);
fprintf('%s and %s\n', 'this', 'that');
fprintf('%d %d\n', [1 2 3 4 5 6]);
fprintf('%c%c%c\n', 72, 105, 33);
fprintf('%x %o\n', 255, 8);
fprintf('100%%\n');
fprintf('no newline');
fprintf('\n');
fprintf('%d\n', 2.5);
s = sprintf('%03d', 7)
fprintf('tab\there\n');
