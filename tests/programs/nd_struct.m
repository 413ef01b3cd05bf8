% Structure arrays and cells of three dimensions
s = struct('a', {1, 2});
r = repmat(s, [1 2 3]);
disp(size(r))
disp(r(1,2,3).a)
r(1,2,3).a = 99;
disp(r(12).a)
disp(r(end).a)
disp(numel(r))
t = struct('a', cell(2,2,2));
disp(size(t))
t(2,2,2).a = 5;
t
disp(isempty(t(1,1,1).a))
u.b = 1;
u(1,1,2).b = 3;
disp(size(u))
u
v = [u.b]
q = t(:,:,2);
disp(size(q))
disp(q(2,2).a)
w = r(:,:,3);
disp(size(w)); disp([w.a])
r(:,:,2) = [];
disp(size(r))
g = cat(3, s, s);
disp(size(g)); disp([g.a])
k = repmat(struct('x', 7), 2, 1, 2);
disp(size(k))
z = struct('p', cell(1,1,3));
[z.p] = deal(4, 5, 6);
disp([z.p])
disp(isequal(z, z)); disp(isequal(z, struct('p', {4, 5, 6})))
c = cell(2,2,2)
c{2,1,2} = 'x';
disp(class(c{2,1,2}))
disp(size(c(:,:,2)))
d = cat(3, {1, 2}, {3, 4});
disp(size(d)); disp(d{1,2,2})
% rearranging a structure array moves its elements
m = struct('a', {1, 2, 3; 4, 5, 6});
mt = m';
disp(size(mt)); disp([mt.a])
mp = permute(repmat(m, [1 1 2]), [3 1 2]);
disp(size(mp)); disp([mp(:, 2, 3).a])
ip = ipermute(mp, [3 1 2]);
disp([ip.a])
f1 = fliplr(m); f2 = flipud(m); f3 = flip(m, 2);
disp([f1.a; f2.a; f3.a])
c1 = circshift(m, 1, 2); c2 = rot90(m);
disp([c1.a]); disp(size(c2)); disp([c2.a])
sd = shiftdim(struct('a', cell(1, 1, 3)));
disp(size(sd))
mc = m.';
disp([mc.a])
