% Anonymous functions: captured values are copied when the handle is made; handles
% are called as functions, passed to functions, shown and converted to text.
a = 2;
f = @(x) a*x.^2+1
a = 100;
y = f(3)
g = @(x, y) max(x, y) - y';
z = g([1 5 3], 2)
k = @() 42;
k()
r = apply(f, [1 2])
q = apply(@(t) t/4, 8)
s = func2str(f)
class(f)
isa(f, 'function_handle')
w = feval(f, 0)
compose = @(u) f(u) + k();
compose(1)
v = @(x) [x, x; 1:2]
v(7)
n = @(x) ~x | x ~= 2
disp(n(2))
% anonymous functions of any number of inputs: varargin is the cell of the others
g = @(varargin) numel(varargin);
disp(g())
disp(g(1, 'a', {2}))
h = @(a, varargin) a + numel(varargin);
disp(h(10))
disp(h(10, 1, 2))
k = @(varargin) varargin{end};
disp(k(1, 2, 'last'))
p = @(fmt, varargin) sprintf(fmt, varargin{:});
disp(p('%d-%d', 3, 4))
s = @(varargin) sum([varargin{:}]);
disp(s(1, 2, 3))
func2str(p)
c = cellfun(@(varargin) numel(varargin), {1, 2})
q = @(x, varargin) x;
disp(q(5, 6, 7))
% a field that holds a handle, made in another function, called with the structure
cnt = make_counter(5);
cnt = cnt.inc(cnt);
cnt = cnt.inc(cnt);
disp(cnt.n)
