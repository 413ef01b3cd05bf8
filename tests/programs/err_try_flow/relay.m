function relay(id, msg)
  try
    error(id, msg);
  catch err
    disp('relay saw it');
    rethrow(err);
  end
end
