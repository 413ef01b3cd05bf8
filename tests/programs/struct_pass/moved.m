function q = moved(p, dx, dy)
q = p;
q.x = p.x + dx;
q.y = p.y + dy;
