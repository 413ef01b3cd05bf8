% precision-independent
% structures passed to and returned from functions
p.x = 1;
p.y = 2;
q = moved(p, 10, 20);
disp(q.x)
disp(q.y)
r = make_rect(3, 4);
area = r.w * r.h
