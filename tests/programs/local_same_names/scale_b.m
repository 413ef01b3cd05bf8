function y = scale_b(x)
  f = @helper;
  y = f(x) + helper(x, 1);
end

function y = helper(x, extra)
  if nargin < 2
    extra = 0;
  end
  y = x * 100 + extra;
end
