% polyfit's structure output and polyval's error estimate from it; grids of three
% dimensions from meshgrid and ndgrid.
x = 1:6;
y = [1 4 9 16 25 37];
[p, S] = polyfit(x, y, 2)
[yy, dy] = polyval(p, [2 3 7], S)
[p, S, mu] = polyfit(x, y, 1);
fieldnames(S)'
S.yf
round(S.C * 1e6) / 1e6
S.df
S.normr
mu
yy = polyval(p, [2 3], S, mu)
yy = polyval(p, [2; 3], [], mu)
[p, S] = polyfit(x', y', 1);
S.yf
size(S.X)
S.df
[p, S] = polyfit([1 2 3], [2 4 6], 2);
fprintf('%.6f\n', S.normr);
S.df
[X, Y, Z] = meshgrid(1:2, 3:5, 6:7);
size(X)
X(:)'
Y(:)'
Z(:)'
[A, B, C] = ndgrid(1:2, 3:5, [6 7]);
size(A)
A(:)'
B(:)'
C(:)'
[A, B, C] = ndgrid(int8([1 2]));
class(C)
size(C)
C(:)'
[X, Y, Z] = meshgrid([0 1]);
Z(:, :, 2)
X = meshgrid(1:2, 3:4, 5:6);
size(X)
G = ndgrid(1:3, 1:2, 1:2);
size(G)
v = X + Y(:, :, 1) * 0;
size(v)
[yy, dy] = polyval([1 2], 3, 7)
