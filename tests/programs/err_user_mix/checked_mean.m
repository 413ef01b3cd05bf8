function m = checked_mean(v)
  if ~isnumeric(v)
    error('Loader:type', 'expected numbers, got %s', class(v));
  end
  if isempty(v)
    error('Loader:empty', 'no values');
  end
  if any(v < 0)
    error('Loader:negative', '%d negative value(s)', sum(v < 0));
  end
  m = mean(v);
end
