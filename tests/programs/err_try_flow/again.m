function again()
  try
    x = [1 2];
    y = x(0);
  catch err
    error(err);
  end
end
