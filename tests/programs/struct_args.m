% a field of a structure array as the arguments of a call: each element's value in turn
s = struct('v', {3, 1, 4}, 'w', {'x', 'yy', 'z'});
fprintf('%d\n', s.v);
fprintf('%d,', s(2:end).v);
fprintf('\n');
t = sprintf('%s-', s.w)
h = horzcat(s.v)
c = vertcat(s(1:2).v)
one = s(3);
fprintf('%d %s\n', one.v, one.w);
