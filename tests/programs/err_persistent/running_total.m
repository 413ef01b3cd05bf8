function t = running_total(x)
  persistent sum_so_far history
  if isempty(sum_so_far)
    sum_so_far = 0;
  end
  sum_so_far = sum_so_far + x;
  history = [history x];
  t = sum_so_far;
  disp(history);
end
