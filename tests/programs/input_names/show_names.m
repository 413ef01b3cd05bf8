function show_names(a, b)
if nargin < 2
  fprintf('one argument: [%s] [%s]\n', inputname(1), inputname(2));
  return;
end
fprintf('[%s] [%s]\n', inputname(1), inputname(2));
end
