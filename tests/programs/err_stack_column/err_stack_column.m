function err_stack_column
% err.stack(k).column: where on its line the statement that was running stands, as
% M counts it (the "=" of an assignment, an operator, a called name, a keyword).
x = [1 2 3]; b = ones(2); c = {1, 2};
try, y = x(5); catch err, show(err), end
try
    z = x + b;
catch err
  show(err)
end
try
  x + b;
catch err, show(err), end
try
  [p, q] = pair(0);
catch err, show(err), end
try
  if x(1) > 0 && x(7) > 1, disp(1); end
catch err, show(err), end
try
  for k = 1:x(9), end
catch err, show(err), end
try
  while x(10), end
catch err, show(err), end
try
  switch x(12), case 1, end
catch err, show(err), end
try
	w = sqrt(pair(0));     % a tab counts as one column
catch err, show(err), end
try
  -x(9);
catch err, show(err), end
try
  x(9)';
catch err, show(err), end
try
  (x(1) + x(9));
catch err, show(err), end
try
  d = c{5};
catch err, show(err), end
try
  v = [1 2]; v(3) + 1;
catch err, show(err), end
try
  [1 2] * [3 4] + x(1);
catch err, show(err), end
try
  x(1):x(9);
catch err, show(err), end
try
  s.a = 1; s(2).a = x(9);
catch err, show(err), end
try
  outer_step(2);
catch err, show(err), end
try
  disp(x(8))
catch err, show(err), end
try
  x(11)
catch err, show(err), end
end

function show(err)
  fprintf('%s:', err.message);
  for k = 1:numel(err.stack)
    fprintf(' %s %d:%d', err.stack(k).name, err.stack(k).line, err.stack(k).column);
  end
  fprintf('\n');
end

function [a, b] = pair(v)
  a = 1;
  if v == 0, error('Pair:zero', 'zero given'); end
  b = v;
end
