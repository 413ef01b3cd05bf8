% precision-independent
% building a cell of strings in a loop and reading it back
names = {};
for k = 1:4
  names{k} = sprintf('item%d', k);
end
for k = 1:numel(names)
  fprintf('%s\n', names{k});
end
lengths = zeros(1, 4);
for k = 1:4
  lengths(k) = length(names{k});
end
lengths
c = cell(2, 3)
c{2, 3} = 'x';
isempty(c{1, 1})
isempty(c{2, 3})
