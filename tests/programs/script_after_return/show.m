function show(x)
  if x < 0
    disp('negative');
    return
  end
  setup_vals
  disp(total);
end
