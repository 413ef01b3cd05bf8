function check_value(x)
  if x > 10
    ME = MException('Check:range', 'value %d is above %d', x, 10);
    throw(ME);
  end
end
