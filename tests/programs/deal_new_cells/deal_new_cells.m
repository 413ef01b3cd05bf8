% Output lists that name elements of a cell the statement makes or grows.
[w{1:2}] = deal(10, 'abc');
disp(class(w)); disp(w{1}); disp(w{2});
q = {5};
[q{2:3}] = deal(0);
disp(size(q))
[a, z{1:2}] = deal(1, 2, 3);
disp(a); disp(z)
[p{1:2}] = min_and_max([4 9 1]);
fprintf('%d %d\n', p{:});
