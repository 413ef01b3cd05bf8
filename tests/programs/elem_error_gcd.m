% gcd of non-integers.
% precision-independent
disp(gcd(4, 6))
gcd(1.5, 2)
