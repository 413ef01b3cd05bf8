% cells held in fields, in cells and in parameters, given to library functions
function cells_held_in_values
s.tags = {'beta', 'alpha', 'gamma'};
c = {{'u', 'v'}, {3, 4}};
j = strjoin(s.tags, '+')
m = ismember('alpha', s.tags)
[tf, loc] = ismember({'gamma', 'z'}, s.tags)
u = upper(s.tags)
k = strcmp(s.tags, 'alpha')
ki = strcmpi('ALPHA', s.tags)
kn = strncmp(s.tags, 'ga', 2)
l = cellfun(@length, s.tags)
w = cellfun(@(t) [t '!'], s.tags, 'UniformOutput', false)
so = sort(s.tags)
un = unique(c{1})
i2 = find(strcmp(c{1}, 'v'))
r = strrep(s.tags, 'a', 'A')
f = strfind(s.tags, 'a')
t = strtrim({' a ', 'b '})
q = cell2mat(c{2})
d = str2double({'1.5', 'x'})
sorted = sort_by({'pear', 'fig', 'banana'}, @length)
% a held cell in a matrix literal joins cells; other pieces become elements
t = [s.tags, {'delta'}]
v = [{'z'}; c{1}']
w = [c{2}, 5, 'x']
end

function out = sort_by(c, key)
% c arrives as a value of any class holding the cell
k = cellfun(key, c);
[~, i] = sort(k);
out = c(i);
end
