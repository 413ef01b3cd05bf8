function k = first_negative(v)
% index of the first negative element, 0 when there is none
k = 0;
for i = 1:length(v)
  if v(i) < 0
    k = i;
    return
  end
end
