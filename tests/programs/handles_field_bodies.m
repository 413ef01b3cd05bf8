% Anonymous functions whose bodies read fields: the structure is copied when the
% handle is made, an input structure is read when the handle is called.
p.a = 2; p.b = 3;
f = @(x) p.a * x + p.b;
disp(f(1))
p.a = 10;
disp(f(1))
g = @(q) q.a + q.b;
disp(g(p))
s(1).v = 1; s(2).v = 5; s(3).v = 9;
m = @(k) s(k).v * 2;
disp(m(2))
name = 'b';
d = @(q) q.(name) * 100;
disp(d(p))
cfg.opts.scale = 4;
sc = @(x) x * cfg.opts.scale;
disp(sc([1 2]))
vals = arrayfun(@(e) e.v + 1, s);
disp(vals)
lens = cellfun(@(t) numel(t.name), {struct('name', 'ab'), struct('name', 'xyz')});
disp(lens)
