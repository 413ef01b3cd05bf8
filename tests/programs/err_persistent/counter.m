function n = counter()
  persistent calls
  if isempty(calls)
    disp('first call');
    calls = 0;
  end
  calls = calls + 1;
  n = calls;
end
