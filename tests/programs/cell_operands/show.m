function show(x)
% A parameter that may hold any class.
if iscell(x)
  fprintf('a cell of %d elements, class %s\n', numel(x), class(x));
else
  fprintf('a %s of %d elements\n', class(x), numel(x));
end
