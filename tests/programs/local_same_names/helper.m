function y = helper(x)
  y = -x;
end
