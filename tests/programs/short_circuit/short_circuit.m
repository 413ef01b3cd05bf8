% precision-independent
% && and || do not evaluate their right side when the left decides
if false_noisy() && true_noisy()
  disp('wrong')
end
if true_noisy() || false_noisy()
  disp('or done')
end
if true_noisy() && false_noisy()
  disp('wrong')
else
  disp('and false')
end
x = [];
if isempty(x) || x(1) > 0
  disp('guarded index')
end
