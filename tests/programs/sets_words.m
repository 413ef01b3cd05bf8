% precision-independent
% a frequency count: distinct values with their counts from the index vector, the most
% frequent value, and values sorted by count with sortrows
data = [4 2 7 2 4 4 9 7 2 4];
[vals, first, which] = unique(data);
counts = histc(which', 1:numel(vals))
table = sortrows([vals' counts'], [-2 1])
[m, at] = max(counts);
fprintf('most frequent: %d (%d times)\n', vals(at), m);
seen = [];
for v = data
  if ~ismember(v, seen)
    seen = [seen v];
  end
end
seen
isequal(sort(seen), vals)
common = intersect(data, [1 2 3 4 5])
missing = setdiff(1:10, data)
everything = union(data, [10 11])
