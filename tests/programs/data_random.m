% Random integers and permutations: their ranges, shapes and that a seed repeats
% them; every ordering of a vector; prime factors.
rand('seed', 7);
p = randperm(10);
isequal(sort(p), 1:10)
size(p)
q = randperm(10, 4);
size(q)
all(q >= 1 & q <= 10) && numel(unique(q)) == 4
size(randperm(0))
r = randi(6, 1, 1000);
[min(r) max(r)]
all(r == round(r))
numel(unique(r))
r = randi([-3 3], 50, 2);
size(r)
[min(r(:)) max(r(:))]
size(randi(5, 3))
size(randi(5, [2 4]))
size(randi(9))
rand('seed', 42); a = randi(100, 1, 5);
rand('seed', 42); b = randi(100, 1, 5);
isequal(a, b)
P = perms([1 2 3])
P = perms('ab')
size(perms(1:5))
P = perms([])
f = factor(360)
[f, n] = factor(360)
factor(97)
factor(1)
factor(0)
factor(2^40 + 1)
nchoosek(5, 2)
nchoosek([1 2 3 4], 3)
primes(30)
isprime([0 1 2 15 17 7919])
gcd([12 18], [8 27])
lcm([4 6], [6 10])
randi([5 1])
