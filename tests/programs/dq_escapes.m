% Double-quoted texts read backslash escapes; single-quoted texts keep them for the
% printing functions to read.
printf("tab\there\n");
puts("line one\nline two\n");
fputs(stdout, "quote \"inside\"\n");
s = "a\\b";
disp(length(s));
fprintf('%s|\n', "x\ty");
fprintf('%s|\n', 'x\ty');
x = ['ab', "c\n"];
disp(double(x));
disp(strrep("one\ttwo", "\t", ' '));
