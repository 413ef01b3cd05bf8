% Subscripts taken from a cell among other subscripts: x(1, d{:}) reads with as many
% subscripts as d holds when the statement runs.
x = reshape(1:24, 2, 3, 4);
d = {2, 3};
y = x(1, d{:})
idx = {1, 2};
m = x(idx{:}, 4) + 1
d = {3};
v = x(2, d{:})
pages = {1:2, 4};
w = x(2, pages{:})
q = zeros(2, 2);
q(1, idx{2}) = 5;
disp(q)
% a structure or a cell is no subscript: the error names it (it crashed)
a = [10 20 30];
s.x = 1;
try
  b = a(s)
catch e
  disp(e.message)
end
c = {2};
try
  d = a(c)
catch e
  disp(e.message)
end
t.x = 1;
try
  a(t) = 5;
catch e
  disp(e.message)
end
s(2).x = 1;
try
  b = a(s);
catch e
  disp(e.message)
end
