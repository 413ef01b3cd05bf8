function v = get_x(s)
  v = s.x;
end
