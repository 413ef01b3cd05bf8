function deep(n)
  if n == 0
    error('bottom reached');
  end
  deep(n - 1);
end
