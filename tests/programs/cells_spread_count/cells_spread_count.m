% c{:} into a function of fixed inputs passes as many elements as c holds when the
% call runs; the inputs it leaves out are missing, so nargin counts only those given.
%# call max
%# call count_in
c = {[3 1 2]};
d = {[3 1 2], 2};
e = {};
m = max(c{:})
m2 = max(d{:})
[v, k] = max(c{:})
n0 = count_in(e{:})
n1 = count_in(c{:})
n2 = count_in(d{:})
n3 = count_in(5, d{:})
r = count_in(d{1:2})
y = first_of(c{:})
y2 = first_of(d{:})
f = feval('max', c{:})
f2 = feval('count_in', d{:})
h = @count_in;
g0 = h(e{:})
g1 = h(c{:})
g2 = feval(h)
% Into an M function with varargin: the named inputs first, varargin the others.
w = {1, 2, 3, 4};
v0 = rest_in(e{:})
v1 = rest_in(c{:})
v2 = rest_in(d{:})
v3 = rest_in(0, d{:})
v4 = rest_in(w{:})
v5 = rest_in(0, w{2:4})
show_first(c{:});
show_first(w{:});
