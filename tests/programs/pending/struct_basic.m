% precision-independent
% structures: fields of any type, display, field update
s.a = 1;
s.b = 'text';
s.c = [1 2 3];
s
s.a = s.a + 41;
disp(s.a)
t.name = 'point';
t.x = 3;
t.y = 4;
d = sqrt(t.x ^ 2 + t.y ^ 2)
fprintf('%s at %d,%d\n', t.name, t.x, t.y);
t.x = t.x * 2;
t
