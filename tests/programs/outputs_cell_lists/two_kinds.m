function [c, n] = two_kinds(x)
  c = {x, 'text'};
  n = x * 2;
end
