function y = model_1(x)
  y = 1 * x + 1;
end
