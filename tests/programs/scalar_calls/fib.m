function f = fib(n)
% FIB  n-th Fibonacci number by the doubly recursive definition
if n < 2
  f = n;
else
  f = fib(n - 1) + fib(n - 2);
end
