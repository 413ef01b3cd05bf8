% recursion.m: fib(n) by plain recursion, about 1.6^n function calls.
n = bench_size();
fprintf('fib(%d) = %d\n', n, fib(n));
