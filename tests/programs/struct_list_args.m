function struct_list_args
  % s(a:b).f and s(:).f as inputs of M functions and library functions: one input
  % for each element the index selects.
  s(1).v = 1; s(2).v = 5; s(3).v = 9;
  disp(add3(s(1:3).v))
  disp(add2(s(2:end).v))
  disp(add3(s(:).v))
  disp(add3(s(2:end).v))
  disp(max(s(2:end).v))
  disp(scaled(10, s(1:2).v))
  printf('%d\n', atan2(s(1:2).v) > 0);
  p(1).name = 'ab'; p(2).name = 'cde';
  disp(joined(p(1:2).name))
  disp(joined(p(end:end).name))
  try
    add2(s(1:3).v)
  catch err
    disp(err.message)
  end
end

function r = add3(a, b, c)
  if nargin < 3
    c = 100;
  end
  r = a + b + c;
end

function r = add2(a, b)
  r = a * b;
end

function r = scaled(k, a, b)
  r = k * (a + b);
end

function t = joined(a, b)
  if nargin == 1
    t = a;
  else
    t = [a '-' b];
  end
end
