% Output lists of an M function that name cell elements, counted when the call runs.
c = cell(1, 3);
[c{:}] = three(5);
disp(c);
parts = cell(2, 1);
[parts{:}] = min_max([4 9 1 7]);
fprintf('%g %g\n', parts{1}, parts{2});
[a, c{1:2}] = three(1);
disp(a); disp(c);
d = {};
[a, d{2}, r] = three(5);
disp(d); disp(r);
x = zeros(1, 3);
[x(1), x(3)] = three(4);
disp(x);
% The count decides nargout inside the function.
for n = 1:3
  out = cell(1, n);
  [out{:}] = counted();
  disp(out);
end
% One cell element holds a cell output.
w = cell(1, 2);
[w{:}] = two_kinds(3);
disp(class(w{1})); disp(w{2});
e = cell(1, 4);
try
  [e{:}] = three(1);
catch err
  disp(err.message);
end
