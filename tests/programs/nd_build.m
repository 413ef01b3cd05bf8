% Arrays of three and more dimensions: construction and display.
A = zeros(2,3,2)
B = ones(2,2,2,'int8')
C = true(1,2,2)
D = false([2 1 2])
E = NaN(1,2,2)
F = Inf(2,1,2)
G = size(rand(3,2,4))
H = size(randn([2 2 3]))
c = cell(2,1,2);
disp(size(c))
disp(class(c))
z = zeros(0,3,2)
z2 = ones(2,0,2);
disp(size(z2))
n = zeros(2,-1,2);
disp(size(n))
R = reshape(1:12, 2, 3, 2)
R2 = reshape(1:12, [], 2, 2);
disp(size(R2))
R3 = reshape(1:12, [2 2 3]);
disp(size(R3))
P = repmat([1 2; 3 4], [1 1 2])
Q = repmat(7, 2, 1, 2);
disp(size(Q))
K = cat(3, [1 2; 3 4], [5 6; 7 8], [9 10; 11 12])
L = cat(3, [1 2], [])
M4 = zeros(2,2,1,2);
disp(size(M4))
S = reshape(1:4, 1, 1, 4)
T = 'ab'; T(:,:,2) = 'cd'
x = reshape([1.5 -2 3 4.25 5 6 7 8], 2, 2, 2)
disp(reshape(1:8, 2, 2, 2))
V = [R, R]
W = [R; R];
disp(size(W))
Y = int16(R) * 2
