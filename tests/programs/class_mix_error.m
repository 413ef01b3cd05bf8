% two different integer classes in one operation end the program
a = int8(1);
b = int16(2);
disp(a + 1)
c = a + b
disp('not reached')
