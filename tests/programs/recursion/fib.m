function f = fib(n)
if n < 2
  f = n;
else
  f = fib(n - 1) + fib(n - 2);
end
