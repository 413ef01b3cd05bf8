function y = model_3(x)
  y = 3 * x + 1;
end
