function y = add_one(x)
  y = x + 1;
end
