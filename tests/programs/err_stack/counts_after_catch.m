function counts_after_catch(a, b, c)
  try
    level_one(-5);
  catch
  end
  fprintf('nargin %d after the catch\n', nargin);
  try
    level_two(1);
  catch
  end
  fprintf('nargin %d still\n', nargin);
end
