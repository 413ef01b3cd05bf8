function q = shift(p, d)
q = p;
q.x = q.x + d;
p.x = -1;
