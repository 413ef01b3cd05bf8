% reading a field a structure does not have
s.a = 1;
disp(s.a)
y = s.b;
disp('not reached')
