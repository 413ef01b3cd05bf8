function nested_handles()
% Handles to nested functions keep their maker's variables alive.
c1 = makecounter(0);
c2 = makecounter(100);
c1(); c1();
fprintf('%d %d\n', c1(), c2());
fprintf('%d\n', c1());
% A handle to a nested function passed to the function functions.
k = 2;
calls = 0;
r = fzero(@shifted, [0 5]);
fprintf('%.6f %d\n', r, calls > 0);
sq = arrayfun(@scaled, 1:4)
q = integral(@scaled, 0, 1);
fprintf('%.6f\n', q);
% An anonymous function made in the parent calls a nested one.
g = @(x) scaled(x) + 1;
disp(g(3))
% A handle made and returned: the parent has returned, its variables live on.
[inc, get] = account(10);
inc(5);
inc(7);
disp(get())
h = @scaled
func2str(h)
disp(isa(h, 'function_handle'))
% Changing the shared variable changes what the handle computes.
k = 10;
disp(h(2))
cellfun(@scaled, {1, 2})
  function y = shifted(x)
    calls = calls + 1;
    y = x - k;
  end
  function y = scaled(x)
    y = k * x;
  end
end

function h = makecounter(start)
count = start;
h = @next;
  function c = next()
    count = count + 1;
    c = count;
  end
end

function [inc, get] = account(balance)
inc = @deposit;
get = @() balance;
get = @current;
  function deposit(v)
    balance = balance + v;
  end
  function b = current()
    b = balance;
  end
end
