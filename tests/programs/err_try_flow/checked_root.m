function r = checked_root(x)
  if x < 0
    error('Root:negative', 'negative input %d', x);
  end
  r = sqrt(x);
end
