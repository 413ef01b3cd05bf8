% str2func of a literal name is the handle @name; of other text, a handle made when the
% program runs, called through feval. func2str gives the name back as a char row.
%# call max
h = str2func('sin')
y = h(0)
class(h)
s = func2str(h)
class(s)
size(s)
t = func2str(@cos)
n = 'max';
k = str2func(n);
m = k([1 5 2])
disp(func2str(k))
c = cellfun(str2func('isempty'), {[], 1})
