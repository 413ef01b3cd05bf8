function level_one(n)
  m = n * 2;
  if m < 0
    error('Stack:negative', 'negative input %d', n);
  end
  level_two(m);
end
