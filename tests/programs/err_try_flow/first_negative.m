function k = first_negative(v)
  % return from inside a try block inside a loop.
  k = 0;
  for i = 1:numel(v)
    try
      if v(i) < 0
        k = i;
        return;
      end
    catch
      disp('not reached');
    end
  end
  k = -1;
end
