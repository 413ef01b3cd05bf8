% gcd and lcm with expansion, zeros and several arguments; the Bezout coefficients.
% precision-independent
gcd([12 -18 0 7], [8 12 0 0])
gcd(12, 18, 8)
gcd([12; 18], 4)
lcm([4 6 0 7], [6 4 5 3])
lcm(2, 3, 4)
[g, a, b] = gcd([12 7 0], [18 5 4])
[g, a, b] = gcd(-12, 18)
gcd([], 3)
factorial([0 1 5 10 20])
factorial(171)
factorial([])
factorial([3; 4])
