function y = scale_a(x)
  if ischar(x)
    y = helper(x);
    return
  end
  y = arrayfun(@helper, x) + count_down(3);
end

function y = helper(x)
  % The helper of scale_a: ten times its input.
  if ischar(x)
    error('scale_a:text', 'helper of scale_a got text ''%s''', x);
  end
  y = x * 10;
end

function n = count_down(k)
  if k == 0
    n = 0;
  else
    n = 1 + count_down(k - 1);
  end
end
