% precision-independent
% ranges made with colon
a = 1:5
b = 5:-1:1
% Octave keeps a range unexpanded and sizes its columns from the range's limit;
% MATLAB prints the values as any matrix, so the brackets expand Octave's range.
c = [0:0.25:1]
d = 1:0
e = 10:-3:0
n = 3;
f = 1:n
g = n:-1:1
h = -2:2
k = [1:2:10]
numel(0:0.1:1)
