% The field of a structure array passed to an M function of fixed inputs is one
% argument per element; [s.(name)] = f(x) and deal with a dynamic name fill each element.
function struct_list_spread
% a field list within a field list: the energy of bodies held in one structure
b.m = [2 3];
b.v = [1 2; 3 4];
e = 0.5 * sum(b.m .* sum(b.v.^2, 1))
bodies = init_b();
e2 = 0.5 * sum(bodies.m .* sum(bodies.v.^2, 1))
s(1).v = 3; s(2).v = 4; s(3).v = 10;
disp(addthree(s.v))
q = two(s(2:3).v)
p.x = 2; p.y = 5;
r = hyp(p.x, p.y)
pts = struct('x', {1, 2, 3});
c = countargs(pts.x)
w = wsum(10, pts(2:3).x)
for k = 1:3
  acc(k) = hyp(pts(k).x, 1);
end
acc
none = struct('v', {});
n = countargs(none.v)
g.name = 'gain'; g.val = 3;
fn = 'val';
h = hyp(g.(fn), 4)
try
  hyp(pts.x)
catch err
  disp(err.message)
end

names = {'a', 'b'};
t(1).a = 1; t(2).a = 2;
[t.(names{2})] = twoout(5);
disp([t.b])
fld = 'c';
[t.(fld)] = deal(7, 8);
disp([t.c])
[t(2).(fld)] = deal(-1);
disp([t.c])
[t(3:4).(names{1})] = twoout(0);
disp([t.a])
u = struct();
[u.(fld)] = twoout(1);
u
try
  [t.(3)] = twoout(1);
catch err
  disp(err.message)
end

% library functions take the field of a structure array as one input per element
vv(1).x = [1 5 2]; vv(2).x = [4 0 3];
disp(max(vv.x))
disp(min(vv.x))
kk(1).f = 1; kk(2).f = 2;
printf('%.4f %g %g %g\n', atan2(kk.f), mod(kk.f), rem(kk.f), hypot(kk.f));
one = struct('v', [3 9 4]);
disp(max(one.v))
disp([peak(one) peak(struct('v', {-1})) peak(struct('v', {1, 2}))])
printf('%d %d\n', numel(vv.x), numel(kk.f));
ee = struct('v', {});
try, max(ee.v), catch err, disp(strtok(err.message, '.')), end
try, atan2(vv.x, 1), catch err, disp(strtok(err.message, '.')), end
try, sin(kk.f), catch err, disp(strtok(err.message, '.')), end
ww = struct('f', {2, 3, 4});
try, mod(ww.f), catch err, disp(strtok(err.message, '.')), end
try, numel(ee.v), catch err, disp(strtok(err.message, '.')), end
% three elements make max(x, y, dim): y is ignored with a warning
tt = struct('t', {0, 1, 2});
disp(max(tt.t))
% functions outside the library's by-name table take the list's values as inputs too
s = struct('v', {12, 18});
g = gcd(s.v)
b = bitand(s.v)
t = struct('v', {12});
g1 = gcd(t.v, 8)
p = struct('x', {[1 2], [3 4], [5 6]});
w = bitor(p(2:3).x)
c = complex(s.v)
try, bitand(p.x), catch err, disp(strtok(err.message, '.')), end
end
function m = peak(st)
m = max(st.v) + numel(st.v);
end
function r = addthree(a, b, c)
r = a + b + c;
end
function r = two(a, b)
r = a * 10 + b;
end
function r = hyp(a, b)
r = sqrt(a^2 + b^2);
end
function n = countargs(a, b, c)
n = nargin;
end
function s = wsum(w, a, b)
s = w * (a + b);
end
function varargout = twoout(x)
for k = 1:nargout
  varargout{k} = x + k;
end
end
function b = init_b()
b.m = [1 2];
b.v = [1 1; 2 2];
end
