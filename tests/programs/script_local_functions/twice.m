function r = twice(x)
  r = 2 * x;
end
