% Fields indexed in place: end inside the index of an element's field, and a field
% holding a cell indexed with parentheses (a cell of the elements chosen).
F(1).f = [1 2]; F(2).f = [3 4 5];
z = F(1).f(end)^2;
disp(z)
disp(F(2).f(end-1:end))
disp(F(end).f(end))
s.names = {'not', 'a', 'map'};
disp(s.names(2))
disp(s.names(end))
c = s.names([1 3]);
disp(class(c)); disp(numel(c))
g = {s, s};
disp(g{2}.names(1))
