function r = make_rect(w, h)
r.w = w;
r.h = h;
