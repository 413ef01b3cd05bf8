% An inventory report as engineers write it: tables, cellfun, while, switch, try,
% local functions (one returns an input among its outputs: [y, x] = swap(x, y)).
items = {'bolt', 'nut', 'washer', 'gear'};
qty = [120 35 0 7];
price = [0.25 0.1 0.05 12.5];
fprintf('%-8s %5s %8s\n', 'item', 'qty', 'value');
total = 0;
for k = 1:numel(items)
  v = qty(k) * price(k);
  total = total + v;
  fprintf('%-8s %5d %8.2f\n', items{k}, qty(k), v);
end
fprintf('total %.2f\n', total);
low = items(qty < 10);
fprintf('low stock: %s\n', strjoin(low, ', '));
lens = cellfun(@length, items);
disp(lens)
upperNames = cellfun(@upper, items, 'UniformOutput', false);
disp(upperNames{end})
n = 0; s = 0;
while s < 100
  n = n + 1;
  s = s + n^2;
end
fprintf('n=%d s=%d\n', n, s);
for k = 1:numel(items)
  switch items{k}
    case {'bolt', 'nut'}
      kind = 'fastener';
    case 'gear'
      kind = 'part';
    otherwise
      kind = 'other';
  end
  fprintf('%s is a %s\n', items{k}, kind);
end
try
  x = qty(10);
catch err
  fprintf('caught: %s\n', err.message);
end
words = strsplit('the quick brown fox', ' ');
fprintf('%d words, longest %s\n', numel(words), longest(words));
r = stats(qty);
fprintf('mean %.3f max %d\n', r.mean, r.max);
[a, b] = swap(1, 2);
fprintf("%d %d\n", a, b); disp(dbl(4))
fprintf('%s\n', num2str(pi, 8));
fprintf('%s|\n', strtrim(sprintf('  %d  ', 42)));
z = regexprep('a1b22c333', '\d+', '#');
disp(z)
m = containers.Map();
m('x') = 1; m('y') = 2;
ks = keys(m);
fprintf('%s ', ks{:}); fprintf('\n');
function w = longest(ws)
  w = '';
  for i = 1:numel(ws)
    if length(ws{i}) > length(w)
      w = ws{i};
    end
  end
end
function r = stats(v)
  r.mean = mean(v);
  r.max = max(v);
end
function [y, x] = swap(x, y)
end
function x = dbl(x)
  x = 2 * x;
end
