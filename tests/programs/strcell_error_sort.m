% sort of a cell whose elements are not all strings
c = {'b', 1, 'a'};
disp('sorting')
s = sort(c);
disp(s)
