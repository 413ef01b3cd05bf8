function s = bump_x(s)
  s.x = s.x + 1;
end
