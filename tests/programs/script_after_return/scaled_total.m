function y = scaled_total(k)
  y = -1;
  for i = 1:3
    if k == 0
      return
    end
  end
  setup_vals
  y = total * k;
end
