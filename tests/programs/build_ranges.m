% linspace, repmat, reshape and colon in their awkward forms.
a = linspace(0, 1, 5)
b = linspace(1, 2, 1)
c = linspace(5, 1, 3)
d = size(linspace(0, 1, 0))
f = repmat([1 2], 2, 3)
g = repmat(7, 1, 4)
h = size(repmat([1 2], 0, 2))
k = reshape(1:6, 2, 3)
m = reshape(1:6, [], 2)
n = reshape([1 2; 3 4], 1, 4)
p = 5:-2:0
q = size(1:0)
r = [0:0.25:1]
s = repmat('ab', 2, 2)
% colon as a function, with and without a step
c2 = colon(2, 5)
c3 = colon(5, -2, 1)
c0 = colon(1, 0)
k = 3;
c4 = colon(k, k + 2)
% a class name after the size
z = zeros(2, 'double')
o = size(rand(3, 'double'))
e = eye(2, 3, 'double') + 0
n = size(randn(2, 4, 'double'))
f = NaN(1, 2, 1)
% and after a spread list of sizes
sz = {2, 3};
w = ones(sz{:}, 'double')
