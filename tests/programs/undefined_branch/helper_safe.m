function r = helper_safe(v)
  if v < 0
    r = legacy_mode(abs(v));
    return;
  end
  r = v * 10;
end
