function outputs_named_like_inputs
  % An output named like an input hands out the input's variable.
  [y, it] = refine(3);
  disp([y it]);
  [n, v] = grow(5);
  disp([n v]);
  z = refine(10)
  % A cell output reaches a caller's variable whole, also as the first of two.
  c = labels([1 5 9])
  [d, count] = labels2([2 8]);
  d
  count
  e = labels([]);
  size(e)
  % A varargout function called for one value still gives its first output.
  w = firsts(7, 8)
  [p, q] = firsts(1, 2);
  disp([p q]);
end

function [x, it] = refine(x)
  it = 0;
  while x < 100
    x = 2 * x;
    it = it + 1;
  end
end

function [n, x] = grow(x)
  n = numel(x);
  x = [x x + 1];
end

function c = labels(v)
  c = cell(size(v));
  for k = 1:numel(v)
    if v(k) < 3
      c{k} = 'low';
    else
      c{k} = 'high';
    end
  end
end

function [c, n] = labels2(v)
  c = labels(v);
  n = numel(c);
end

function varargout = firsts(a, b)
  varargout{1} = a;
  varargout{2} = b;
end
