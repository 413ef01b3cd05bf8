% precision-independent
% structures: fields of any type, field update, fields in expressions
s.a = 1;
s.b = 'text';
s.c = [1 2 3];
a = s.a
b = s.b
c = s.c
s.a = s.a + 41;
disp(s.a)
s.c(2) = 20;
disp(s.c)
t.name = 'point';
t.x = 3;
t.y = 4;
d = sqrt(t.x ^ 2 + t.y ^ 2)
fprintf('%s at %d,%d\n', t.name, t.x, t.y);
t.x = t.x * 2;
disp(t.x)
