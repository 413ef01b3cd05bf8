function lines = loop_errors(n)
  lines = [];
  for k = 1:n
    try
      if mod(k, 2) == 0
        error('even %d', k);
      end
      x = ones(1, k);
      y = x(k + 1);
    catch e
      lines(end + 1) = e.stack(1).line;
    end
  end
end
