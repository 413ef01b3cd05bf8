function y = checked(x)
if x < 0
  error('checked:negative', 'checked: %d is negative', x);
end
y = sqrt(x);
