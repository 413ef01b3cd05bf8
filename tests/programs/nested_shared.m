function nested_shared()
% Nested functions share the variables they and their parent both use.
total = 0;
for v = [1 2 4]
  add(v);
end
disp(total)
% A variable only the nested function assigns, read by the parent after the call.
setlast(5);
disp(last)
% An input of the parent that a nested function reads and changes.
fprintf('%g\n', scaled(3));
% An output the nested function fills in.
[s, n] = sumcount([2 3 4]);
fprintf('%g %g\n', s, n);
% The nested function's own variables stay its own.
tmp = 'parent';
own();
disp(tmp)
% Two levels of nesting.
disp(outer(10))
% A nested function calling itself and its sibling.
acc = [];
collect(3);
disp(acc)
  function add(v)
    total = total + v;
  end
  function setlast(x)
    last = x * 2;
  end
  function own()
    tmp2 = 1;
    tmp = [tmp '+own'];
  end
  function collect(k)
    if k > 0
      push(k);
      collect(k - 1);
    end
  end
  function push(k)
    acc(end + 1) = k;
  end
end

function y = scaled(x)
bump();
y = x;
  function bump()
    x = x * 10;
  end
end

function [s, n] = sumcount(v)
s = 0;
n = 0;
for e = v
  step(e);
end
  function step(e)
    s = s + e;
    n = n + 1;
  end
end

function r = outer(a)
b = 1;
middle();
r = a + b;
  function middle()
    b = b + 1;
    inner();
    function inner()
      b = b * a;
    end
  end
end
