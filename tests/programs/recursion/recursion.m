% precision-independent
% recursive functions
f = fib(10)
f = fib(20)
fact(5)
fact(10)
h = hanoi(5)
