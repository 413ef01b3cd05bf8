function s = collatz(n)
% the number of steps of the Collatz sequence from n to 1
s = 0;
while n > 1
  if n / 2 == floor(n / 2)
    n = n / 2;
  else
    n = 3 * n + 1;
  end
  s = s + 1;
end
