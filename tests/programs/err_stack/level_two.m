function level_two(m)
  a = zeros(2, 3);
  for k = 1:m
    a(1, k) = k;
  end
  b = a(3, 1);
  disp(b);
end
