function y = model_2(x)
  y = 2 * x + 1;
end
