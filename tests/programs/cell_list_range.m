% Comma lists of cell elements a to b, with bounds known only when the program runs.
x = magic(5);
c = {2, 3, 4, 1};
a = 2; b = 3;
y = x(c{a:b});
disp(y)
y = x(c{a:b}, 1);
disp(y)
z = [c{a:b+1}];
disp(z)
w = {c{1:a}};
disp(numel(w))
names = {'alpha', 'beta', 'gamma', 'delta'};
k = 3;
fprintf('%s;', names{k-1:end});
fprintf('\n');
c{:};
names{2:3}
s = strjoin(cellfun(@(v) sprintf('%g', v), c, 'UniformOutput', false), ',');
disp(s)
s = strjoin(cellfun(@upper, names(1:2), 'UniformOutput', false));
disp(s)
% Lists of a cell held in a field.
rec.list = {'first', 'second', 'third'};
fprintf('%s\n', rec.list{:});
fprintf('%s\n', rec.list{a:b});
t = [rec.list{2:3}];
disp(t)
% Several outputs from a list take its first values, in order.
[p, q, r] = c{:};
fprintf('%d %d %d\n', p, q, r);
[p, q] = c{a:b};
fprintf('%d %d\n', p, q);
[u, ~] = names{[4 1]};
disp(u)
% Lists of a part of a cell: a row, a column, every other element, listed subscripts.
t2 = {1, 2, 3; 4, 5, 6};
disp([t2{2, :}])
y2 = {t2{:, 1}};
disp(size(y2))
disp([t2{1:2:end}])
fprintf('%d;', t2{[2 1], 3}); fprintf('\n');
disp(plus(t2{1, 2:3}))
disp(x(t2{1, 1:2}))
w2 = vertcat(t2{:, 2});
disp(w2')
