% printf, puts, fputs and fdisp.
printf('%d-%s\n', 5, 'abc');
printf('%5.2f|', [1.5 2.25]);
printf('\n');
puts('plain text\n');
puts(sprintf('line\n'));
fputs(stdout, 'to stdout');
fputs(1, sprintf('\n'));
fdisp(stdout, [1 2; 3 4]);
fdisp(1, 'chars');
